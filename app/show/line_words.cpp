#include "show/line_words.h"

#include <algorithm>
#include <array>
#include <optional>
#include <utility>

#include "command/letters.h"
#include "fixtures/fixture_command.h"
#include "show/show_command.h"

namespace show {

using command::isLetter;
using command::lowercase;

namespace {

constexpr std::array<std::pair<std::string_view, char>, 6> spelledOperators = {{
    {"thru", '/'},
    {"at", '@'},
    {"and", '+'},
    {"except", '-'},
    {"full", 'F'},
    {"dmx", 'D'},
}};

// The show and fixture words a number follows, so that "rec5" is "rec 5" with its space left out.
constexpr std::array<std::string_view, 9> numberedShowWords = {
    "rec", "cue", "del", "goto", "gm", "fix", "fixture", "unpatch", "group"};

// Characters that end a word for a refusal: spaces, digits and the channel operators.
constexpr std::string_view wordEnds = " 0123456789@*+/-;&";

size_t letterRunEnd(std::string_view line, size_t start) {
    while (start < line.size() && isLetter(line[start])) ++start;
    return start;
}

// Two letters or more; D and F alone are the channel language's own ("1@DF").
bool isWord(std::string_view letters) {
    return letters.size() >= 2 && letters.find_first_not_of("DFdf") != std::string_view::npos;
}

std::optional<char> spelledOperator(std::string_view letters) {
    const std::string lower = lowercase(letters);
    for (const auto& [word, symbol] : spelledOperators) {
        if (word == lower) return symbol;
    }
    return std::nullopt;
}

bool isNumber(std::string_view text) {
    return !text.empty() && text.front() >= '0' && text.front() <= '9' &&
           text.find_first_not_of("0123456789.") == std::string_view::npos;
}

LineReading refused(std::string_view word, std::string_view advice = {}) {
    std::string text = "unknown word \"" + std::string(word) + "\"";
    if (!advice.empty()) text += ": write " + std::string(advice);
    return {LineReading::Kind::refused, std::move(text)};
}

// The word as typed around the letters line[begin, end): what punctuation clings to them too.
std::string_view wordAround(std::string_view line, size_t begin, size_t end) {
    while (begin > 0 && wordEnds.find(line[begin - 1]) == std::string_view::npos) --begin;
    end = std::min(line.find_first_of(wordEnds, end), line.size());
    return line.substr(begin, end - begin);
}

// The first word is a show word with more glued to it: a number is the show word's own, written
// without its space.
LineReading gluedShowWord(std::string_view word, size_t letters) {
    const std::string_view showWord = word.substr(0, letters), glue = word.substr(letters);
    const bool numbered = std::find(numberedShowWords.begin(), numberedShowWords.end(),
                                    lowercase(showWord)) != numberedShowWords.end();
    if (numbered && isNumber(glue))
        return refused(word, std::string(showWord) + " " + std::string(glue));
    return refused(word);
}

LineReading channelLine(std::string_view line) {
    std::string text;
    for (size_t at = 0; at < line.size();) {
        const size_t end = letterRunEnd(line, at);
        if (end == at) {
            text += line[at++];
            continue;
        }
        const std::string_view letters = line.substr(at, end - at);
        if (auto symbol = spelledOperator(letters)) {
            // The spaces around a spelled-out operator belong to it.
            while (!text.empty() && text.back() == ' ') text.pop_back();
            text += *symbol;
            at = std::min(line.find_first_not_of(' ', end), line.size());
            continue;
        }
        if (isWord(letters)) return refused(wordAround(line, at, end));
        text += letters;
        at = end;
    }
    return {LineReading::Kind::channels, std::move(text)};
}

}  // namespace

LineReading readLine(std::string_view line) {
    const std::string_view typed = line.substr(std::min(line.find_first_not_of(' '), line.size()));
    const std::string_view first = typed.substr(0, typed.find(' '));
    // Before the show words: "del group 2" is a fixture line.
    if (fixtures::isFixtureLine(typed)) return {LineReading::Kind::fixtures, {}};
    const size_t letters = letterRunEnd(first, 0);
    const std::string firstWord = lowercase(first.substr(0, letters));
    if (isShowWord(firstWord) || fixtures::isFixtureLine(firstWord)) {
        if (letters == first.size()) return {LineReading::Kind::show, {}};
        return gluedShowWord(first, letters);
    }
    return channelLine(line);
}

bool hasWord(std::string_view line) {
    for (size_t at = 0; at < line.size(); ++at) {
        const size_t end = letterRunEnd(line, at);
        if (isWord(line.substr(at, end - at))) return true;
        at = std::max(at, end);
    }
    return false;
}

}  // namespace show
