#include "show/show_numbers.h"

namespace show {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// A plain decimal with at most `decimals` digits after the point, as an integer scaled by
// 10^decimals. Long digit runs are refused before they could overflow.
std::optional<int64_t> scaledDecimal(std::string_view text, int decimals) {
    size_t point = text.find('.');
    std::string_view whole = text.substr(0, point);
    std::string_view fraction = point == std::string_view::npos ? "" : text.substr(point + 1);
    if (whole.empty() || whole.size() > 9) return std::nullopt;
    if (point != std::string_view::npos && (fraction.empty() || fraction.size() > size_t(decimals)))
        return std::nullopt;
    int64_t value = 0;
    for (char c : whole) {
        if (!isDigit(c)) return std::nullopt;
        value = value * 10 + (c - '0');
    }
    for (int i = 0; i < decimals; ++i) {
        char c = size_t(i) < fraction.size() ? fraction[i] : '0';
        if (!isDigit(c)) return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

// The scaled integer back as the shortest decimal: 25 tenths is "2.5", 50 is "5".
std::string scaledText(int64_t value, int64_t scale) {
    std::string text = std::to_string(value / scale);
    std::string fraction = std::to_string(scale + value % scale).substr(1);
    while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
    return fraction.empty() ? text : text + "." + fraction;
}

}  // namespace

std::optional<CueNumber> parseCueNumber(std::string_view text) {
    auto tenths = scaledDecimal(text, 1);
    if (!tenths || *tenths < lowestCueNumber || *tenths > highestCueNumber) return std::nullopt;
    return CueNumber(*tenths);
}

std::optional<Milliseconds> parseSeconds(std::string_view text) {
    auto time = scaledDecimal(text, 3);
    if (!time || *time > longestFadeTime) return std::nullopt;
    return *time;
}

std::optional<FadeTimes> parseFadeTimes(std::string_view text) {
    size_t slash = text.find('/');
    auto up = parseSeconds(text.substr(0, slash));
    auto down = slash == std::string_view::npos ? up : parseSeconds(text.substr(slash + 1));
    if (!up || !down) return std::nullopt;
    return FadeTimes{*up, *down};
}

std::optional<int32_t> parsePercent(std::string_view text) {
    auto percent = scaledDecimal(text, 0);
    if (!percent || *percent > 100) return std::nullopt;
    return int32_t(*percent);
}

std::optional<int32_t> parseRoundedPercent(std::string_view text) {
    // The tenths decide the rounding; the digits after them only whether 100 is passed.
    const size_t point = text.find('.');
    const std::string_view pastTenths =
        point == std::string_view::npos || text.size() <= point + 2 ? "" : text.substr(point + 2);
    auto tenths = scaledDecimal(text.substr(0, text.size() - pastTenths.size()), 1);
    if (!tenths || pastTenths.find_first_not_of("0123456789") != std::string_view::npos)
        return std::nullopt;
    const bool overTenths = pastTenths.find_first_not_of('0') != std::string_view::npos;
    if (*tenths > 1000 || (*tenths == 1000 && overTenths)) return std::nullopt;
    return int32_t((*tenths + 5) / 10);
}

std::string cueNumberText(CueNumber number) {
    return scaledText(number, 10);
}

std::string secondsText(Milliseconds time) {
    return scaledText(time, 1000);
}

std::string fadeTimesText(FadeTimes times) {
    return secondsText(times.up) + "/" + secondsText(times.down);
}

}  // namespace show
