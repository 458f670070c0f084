#include "show/saved_show.h"

#include <vector>

#include "command/show_file_format.h"
#include "platform/hex_bytes.h"

namespace show {

namespace {

constexpr std::string_view formatLine = "[brannic-show,1]";
constexpr std::string_view formatName = "brannic-show";
constexpr std::string_view endLine = "[end]";
constexpr std::string_view byteOrderMark = "\xef\xbb\xbf";

using Fields = std::vector<std::string>;

// ",1:ff80,34:ff": one field for each run of non-zero channels. A long show's file is megabytes
// of these: each run's digits are written into room made for them at once.
void appendLevels(std::string& text, const Module1::LevelStore& levels) {
    for (int32_t channel = 1; channel <= Module1::lastChannel; ++channel) {
        if (levels[channel] == 0) continue;
        int32_t end = channel;
        while (end <= Module1::lastChannel && levels[end] != 0) ++end;
        text += ',';
        text += std::to_string(channel);
        text += ':';
        size_t at = text.size();
        text.resize(at + 2 * size_t(end - channel));
        for (; channel < end; ++channel, at += 2) {
            platform::writeHexByte(&text[at], uint8_t(levels[channel]));
        }
    }
}

// "3,5": the up and down seconds as two fields.
std::string timesFields(FadeTimes times) {
    return secondsText(times.up) + ',' + secondsText(times.down);
}

// "34:ff80" into the levels; false when it names channels outside 1 to 512 or is not hex.
bool readRun(std::string_view run, Module1::LevelStore& levels) {
    size_t colon = run.find(':');
    if (colon == std::string_view::npos) return false;
    std::string_view start = run.substr(0, colon), hex = run.substr(colon + 1);
    if (start.empty() || start.size() > 3 || hex.empty() || hex.size() % 2 != 0) return false;
    int32_t channel = 0;
    for (char c : start) {
        if (c < '0' || c > '9') return false;
        channel = channel * 10 + (c - '0');
    }
    if (channel < 1 || channel + int32_t(hex.size() / 2) - 1 > Module1::lastChannel) return false;
    for (size_t i = 0; i < hex.size(); i += 2, ++channel) {
        auto level = platform::hexByte(hex.substr(i, 2));
        if (!level) return false;
        levels[channel] = *level;
    }
    return true;
}

// The fields from `first` on as levels.
std::optional<Module1::LevelStore> readLevels(const Fields& fields, size_t first) {
    Module1::LevelStore levels{};
    for (size_t i = first; i < fields.size(); ++i) {
        if (!readRun(fields[i], levels)) return std::nullopt;
    }
    return levels;
}

// The up and down seconds at fields `first` and after it.
std::optional<FadeTimes> readTimes(const Fields& fields, size_t first) {
    auto up = parseSeconds(fields[first]);
    auto down = parseSeconds(fields[first + 1]);
    if (!up || !down) return std::nullopt;
    return FadeTimes{*up, *down};
}

bool readLook(const Fields& fields, ShowFileReading& reading) {
    SavedShow& show = reading.show;
    if (fields.size() < 4 || (fields[3] != "0" && fields[3] != "1")) return false;
    auto current = parseCueNumber(fields[1]);
    auto master = parsePercent(fields[2]);
    auto levels = readLevels(fields, 4);
    if ((!current && fields[1] != "none") || !master || !levels) return false;
    show.current = current;
    show.master = *master;
    show.blackout = fields[3] == "1";
    show.levels = *levels;
    reading.lookRead = true;
    return true;
}

bool readFade(const Fields& fields, SavedShow& show) {
    if (fields.size() < 3 || show.fade) return false;
    auto times = readTimes(fields, 1);
    auto levels = readLevels(fields, 3);
    if (!times || !levels) return false;
    show.fade = RestOfFade{*times, *levels};
    return true;
}

bool readCue(const Fields& fields, SavedShow& show) {
    if (fields.size() < 5) return false;
    auto number = parseCueNumber(fields[1]);
    auto times = readTimes(fields, 2);
    auto label = command::readLabelField(fields[4]);
    auto levels = readLevels(fields, 5);
    if (!number || !times || !label || !levels || show.cues.find(*number)) return false;
    show.cues.put(Cue{*number, *label, *times, *levels});
    return true;
}

bool readFixture(const Fields& fields, fixtures::Patch& patch,
                 const fixtures::DefinitionFinder& find) {
    auto line = fixtures::readFixtureLine(fields);
    return line && !fixtures::restoreFixture(patch, *line, find);
}

bool readGroup(const Fields& fields, fixtures::Patch& patch) {
    auto line = fixtures::readGroupLine(fields);
    return line && !patch.setGroup(line->number, line->fixtures, line->label);
}

// One line after the header; false when it is bad.
bool readLine(std::string_view line, ShowFileReading& reading,
              const fixtures::DefinitionFinder& find) {
    if (line.size() < 2 || line.front() != '[' || line.back() != ']') return false;
    Fields fields = command::showLineFields(line);
    if (fields.empty()) return false;
    if (fields[0] == "look") return readLook(fields, reading);
    if (fields[0] == "fade") return readFade(fields, reading.show);
    if (fields[0] == "cue") return readCue(fields, reading.show);
    if (fields[0] == "fixture") return readFixture(fields, reading.show.patch, find);
    if (fields[0] == "group") return readGroup(fields, reading.show.patch);
    return false;
}

// A line as an editor may have left it: Notepad's byte-order mark before the first, blanks or a
// carriage return after any.
std::string_view plainLine(std::string_view line, bool first) {
    if (first && line.starts_with(byteOrderMark)) line.remove_prefix(byteOrderMark.size());
    while (!line.empty() && (line.back() == ' ' || line.back() == '\t' || line.back() == '\r'))
        line.remove_suffix(1);
    return line;
}

// The format's version the header line names; none when the line is not a header.
std::optional<int32_t> headerVersion(std::string_view line) {
    if (line.size() < 2 || line.front() != '[' || line.back() != ']') return std::nullopt;
    Fields fields = command::showLineFields(line);
    if (fields.size() != 2 || fields[0] != formatName) return std::nullopt;
    std::string_view digits = fields[1];
    if (digits.empty() || digits.size() > 6 || digits.front() == '0') return std::nullopt;
    int32_t version = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return std::nullopt;
        version = version * 10 + (c - '0');
    }
    return version;
}

}  // namespace

std::string showFileText(const SavedShow& show) {
    std::string text(formatLine);
    text += "\n[look,";
    text += show.current ? cueNumberText(*show.current) : "none";
    text += ',' + std::to_string(show.master) + (show.blackout ? ",1" : ",0");
    appendLevels(text, show.levels);
    text += "]\n";
    if (show.fade) {
        text += "[fade," + timesFields(show.fade->times);
        appendLevels(text, show.fade->to);
        text += "]\n";
    }
    text += fixtures::patchLinesText(show.patch);
    for (const CuePointer& cue : show.cues) {
        text += "[cue," + cueNumberText(cue->number) + ',' + timesFields(cue->times) + ',';
        command::appendLabelField(text, cue->label);
        appendLevels(text, cue->levels);
        text += "]\n";
    }
    text += endLine;
    text += '\n';
    return text;
}

std::shared_ptr<const fixtures::Definition> noDefinitions(std::string_view, std::string_view) {
    return nullptr;
}

ShowFileReading readShowFile(std::span<const std::string> lines,
                             const fixtures::DefinitionFinder& find) {
    ShowFileReading reading;
    // Without its header, or with a later version's, the file is read from its first line all
    // the same: what this version knows of it is loaded.
    auto version = lines.empty() ? std::nullopt : headerVersion(plainLine(lines[0], true));
    if (version != 1) reading.firstBadLine = 1;
    size_t endLineNumber = 0;
    for (size_t i = version ? 1 : 0; i < lines.size() && endLineNumber == 0; ++i) {
        std::string_view line = plainLine(lines[i], i == 0);
        if (line == endLine) {
            endLineNumber = i + 1;
        } else if (!readLine(line, reading, find) && reading.firstBadLine == 0) {
            reading.firstBadLine = i + 1;
        }
    }
    // Without the end line the file was cut short; after it nothing may follow.
    if (reading.firstBadLine == 0 && endLineNumber != lines.size()) {
        reading.firstBadLine = endLineNumber == 0 ? lines.size() + 1 : endLineNumber + 1;
    }
    return reading;
}

}  // namespace show
