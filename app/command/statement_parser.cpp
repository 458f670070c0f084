#include "command/statement_parser.h"

#include <limits>

namespace command {

namespace {

enum class Previous { none, number, andKey, thruKey, exceptKey, atKey, statementEnd };

struct ParserState {
    ParsedStatement result;
    Previous previous = Previous::none;
    bool rangeRemoves = false;
    int32_t lastNumber = 0;
};

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// A level of one digit means tens of percent ("@5" is 50), unless written with a leading zero.
int32_t levelOf(const std::string& text, int32_t n) {
    if (text.front() == '0') return n;
    return n < 10 ? n * 10 : n;
}

void applyRange(ParserState& state, int32_t end) {
    ChannelSet& selection = state.result.selection;
    for (int64_t ch = int64_t{state.lastNumber} + 1; ch <= end; ++ch) {
        selection.set(static_cast<size_t>(ch), !state.rangeRemoves);
    }
    state.rangeRemoves = false;
}

bool namesChannel(Previous previous) {
    return previous == Previous::thruKey || previous == Previous::exceptKey ||
           previous == Previous::andKey || previous == Previous::none;
}

// Returns false when the number names a channel beyond the last one.
bool applyNumber(ParserState& state, const std::string& text) {
    const int32_t n = numberValue(text);
    if (namesChannel(state.previous) && n > Module1::lastChannel) {
        state.result.channelBeyondLast = n;
        return false;
    }
    switch (state.previous) {
        case Previous::thruKey:
            applyRange(state, n);
            break;
        case Previous::exceptKey:
            state.result.selection.reset(static_cast<size_t>(n));
            state.rangeRemoves = true;
            break;
        case Previous::atKey:
            state.result.level = levelOf(text, n);
            break;
        case Previous::andKey:
        case Previous::none:
            state.result.selection.set(static_cast<size_t>(n));
            break;
        case Previous::number:
        case Previous::statementEnd:
            break;
    }
    state.previous = Previous::number;
    state.lastNumber = n;
    return true;
}

void applyKey(ParserState& state, char c) {
    switch (c) {
        case 'F':
        case 'f':
            state.result.level = state.result.dmxLevels ? 255 : 100;
            break;
        case 'D':
            state.result.dmxLevels = true;
            break;
        case '+':
        case 'P':
        case 'p':
            state.previous = Previous::andKey;
            break;
        case 'T':
        case 't':
        case '/':
            state.previous = Previous::thruKey;
            break;
        case '-':
        case 'E':
        case 'e':
            state.previous = Previous::exceptKey;
            break;
        case 'A':
        case 'a':
        case '@':
        case '*':
            state.previous = Previous::atKey;
            break;
        case '|':
        case ';':
            state.previous = Previous::statementEnd;
            break;
        default:
            break;  // "[code]" entries are for display only
    }
}

}  // namespace

int32_t numberValue(std::string_view text) {
    constexpr int64_t maximum = std::numeric_limits<int32_t>::max();
    int64_t value = 0;
    for (char c : text) {
        if (!isDigit(c)) break;
        value = value * 10 + (c - '0');
        if (value > maximum) return static_cast<int32_t>(maximum);
    }
    return static_cast<int32_t>(value);
}

ParsedStatement parseStatement(const std::vector<std::string>& statement) {
    ParserState state;
    for (size_t j = 1; j < statement.size(); ++j) {
        const std::string& token = statement[j];
        if (token.empty()) continue;
        const char c = token.front();
        if (c == '|' && j == 1) {
            state.result.endedAtOnce = true;
            break;
        }
        if (!isDigit(c)) {
            applyKey(state, c);
        } else if (!applyNumber(state, token)) {
            break;
        }
    }
    return state.result;
}

}  // namespace command
