#include "show/show_command.h"

#include <algorithm>
#include <array>
#include <utility>

#include "command/letters.h"

namespace show {

using command::lowercase;

namespace {

constexpr std::array<std::string_view, 9> showWords = {"rec",  "cue", "del", "go",  "back",
                                                       "goto", "gm",  "bo",  "undo"};

// The words of a line, one at a time, and the untouched rest for a label.
class Words {
  public:
    explicit Words(std::string_view line) : rest_(line) {}

    // The next word in lower case; empty at the end of the line.
    std::string next() { return lowercase(nextAsTyped()); }
    std::string_view nextAsTyped() {
        skipSpaces();
        std::string_view word = rest_.substr(0, rest_.find(' '));
        rest_.remove_prefix(word.size());
        return word;
    }
    // Everything after the spaces that follow the last word, as typed.
    std::string restOfLine() {
        skipSpaces();
        return std::string(std::exchange(rest_, std::string_view()));
    }

  private:
    void skipSpaces() { rest_.remove_prefix(std::min(rest_.find_first_not_of(' '), rest_.size())); }
    std::string_view rest_;
};

Refused refused(std::string_view command, std::string_view why) {
    return {std::string(command) + ": " + std::string(why)};
}

Refused unknownWord(std::string_view command, std::string_view word) {
    return refused(command, "unknown word \"" + std::string(word) + "\"");
}

// A cue number that must be there, or why not.
std::variant<Refused, CueNumber> cueNumberWord(std::string_view command, std::string_view word) {
    if (word.empty()) return refused(command, "a cue number is needed");
    if (auto number = parseCueNumber(word)) return *number;
    return refused(command, std::string(word) + " is not a cue number 0.1 to 9999.9");
}

// Reads "time U[/D]" when `word` is "time", leaving in `word` the word after it.
std::optional<Refused> readTimes(std::string_view command, std::string& word, Words& words,
                                 std::optional<FadeTimes>& times) {
    if (word != "time") return std::nullopt;
    std::string_view text = words.nextAsTyped();
    times = parseFadeTimes(text);
    if (!times)
        return refused(command, "time \"" + std::string(text) + "\" is not seconds 0 to 3600");
    word = words.next();
    return std::nullopt;
}

// "[time U[/D]] [label TEXT]" after a cue number, with `word` the first word of it.
template <typename Command>
ShowCommand timesAndLabel(std::string_view command, Command result, std::string word,
                          Words& words) {
    if (auto why = readTimes(command, word, words, result.times)) return *why;
    if (word == "label") {
        result.label = words.restOfLine();
        word.clear();
    }
    if (!word.empty()) return unknownWord(command, word);
    return result;
}

// The command, provided nothing follows it on the line.
template <typename Command>
ShowCommand alone(std::string_view command, Words& words, Command result = {}) {
    std::string word = words.next();
    if (!word.empty()) return unknownWord(command, word);
    return result;
}

ShowCommand record(Words& words) {
    std::string_view word = words.nextAsTyped();
    Record result;
    std::string lower = lowercase(word);
    if (!word.empty() && lower != "time" && lower != "label") {
        auto number = cueNumberWord("rec", word);
        if (auto* why = std::get_if<Refused>(&number)) return *why;
        result.number = std::get<CueNumber>(number);
        lower = words.next();
    }
    return timesAndLabel("rec", result, lower, words);
}

ShowCommand changeCue(Words& words) {
    auto number = cueNumberWord("cue", words.nextAsTyped());
    if (auto* why = std::get_if<Refused>(&number)) return *why;
    std::string word = words.next();
    if (word.empty()) return refused("cue", "a time or a label is needed");
    return timesAndLabel("cue", ChangeCue{std::get<CueNumber>(number), {}, {}}, word, words);
}

ShowCommand deleteCue(Words& words) {
    auto number = cueNumberWord("del", words.nextAsTyped());
    if (auto* why = std::get_if<Refused>(&number)) return *why;
    return alone("del", words, DeleteCue{std::get<CueNumber>(number)});
}

ShowCommand go(Words& words) {
    std::string word = words.next();
    if (word.empty()) return Go{};
    if (word != "from") return unknownWord("go", word);
    Go result{true, std::nullopt};
    std::string_view from = words.nextAsTyped();
    if (lowercase(from) != "none") {
        auto number = cueNumberWord("go", from);
        if (auto* why = std::get_if<Refused>(&number)) return *why;
        result.from = std::get<CueNumber>(number);
    }
    return alone<Go>("go", words, result);
}

ShowCommand goTo(Words& words) {
    auto number = cueNumberWord("goto", words.nextAsTyped());
    if (auto* why = std::get_if<Refused>(&number)) return *why;
    GoTo result{std::get<CueNumber>(number), {}};
    std::string word = words.next();
    if (auto why = readTimes("goto", word, words, result.times)) return *why;
    if (!word.empty()) return unknownWord("goto", word);
    return result;
}

ShowCommand setMaster(Words& words) {
    std::string_view word = words.nextAsTyped();
    auto percent = parseRoundedPercent(word);
    if (!percent) return refused("gm", "\"" + std::string(word) + "\" is not a percent 0 to 100");
    return alone("gm", words, SetMaster{*percent});
}

ShowCommand setBlackout(Words& words) {
    std::string word = words.next();
    SetBlackout result;
    if (word == "on") result.to = SetBlackout::Switch::on;
    if (word == "off") result.to = SetBlackout::Switch::off;
    if (!word.empty() && result.to == SetBlackout::Switch::toggle) return unknownWord("bo", word);
    return alone("bo", words, result);
}

}  // namespace

bool isShowWord(std::string_view word) {
    return std::find(showWords.begin(), showWords.end(), word) != showWords.end();
}

std::string formSpaces(std::string_view rawQueryValue) {
    std::string value(rawQueryValue);
    std::replace(value.begin(), value.end(), '+', ' ');
    return value;
}

ShowCommand parseShowCommand(std::string_view line) {
    Words words(line);
    std::string command = words.next();
    if (command == "rec") return record(words);
    if (command == "cue") return changeCue(words);
    if (command == "del") return deleteCue(words);
    if (command == "go") return go(words);
    if (command == "back") return alone<Back>("back", words);
    if (command == "goto") return goTo(words);
    if (command == "gm") return setMaster(words);
    if (command == "bo") return setBlackout(words);
    if (command == "undo") return alone<Undo>("undo", words);
    return refused(command, "not a show command");
}

}  // namespace show
