#include "osc/address_space.h"

#include <charconv>
#include <cmath>
#include <string_view>
#include <vector>

#include "command/level_assignment.h"
#include "shell/module1.h"
#include "show/show_numbers.h"

namespace osc {

namespace {

using platform::OscMessage;

constexpr std::string_view prefix = "/brannic/";

template <class T>
std::string decimal(T value) {
    char digits[32];
    return {digits, std::to_chars(digits, digits + sizeof digits, value).ptr};
}

// A level as the sender wrote it, and its text for a refusal (a float in its shortest form).
struct Number {
    double value = 0;
    std::string text;
};

std::optional<Number> numberArgument(const OscMessage& message, size_t index) {
    if (auto* integer = std::get_if<int32_t>(&message.arguments[index]))
        return Number{double(*integer), decimal(*integer)};
    if (auto* real = std::get_if<float>(&message.arguments[index]))
        return Number{double(*real), decimal(*real)};
    return std::nullopt;
}

std::optional<Number> oneNumber(const OscMessage& message) {
    if (message.arguments.size() != 1) return std::nullopt;
    return numberArgument(message, 0);
}

Mapping refuse(std::string reason) {
    return {std::nullopt, std::move(reason)};
}

Mapping wrongArguments(const OscMessage& message, std::string_view wanted) {
    return refuse(message.address + " takes " + std::string(wanted));
}

Mapping outOfRange(std::string_view what, std::string_view text, std::string_view range) {
    return refuse(std::string(what) + " " + std::string(text) + " is out of range " +
                  std::string(range));
}

// Plain decimal digits, no sign; nothing when anything else is there or it overflows.
std::optional<int32_t> digitsValue(std::string_view text) {
    uint32_t value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() ||
        value > INT32_MAX)
        return std::nullopt;
    return int32_t(value);
}

std::optional<int32_t> channelNumber(std::string_view text) {
    auto channel = digitsValue(text);
    if (!channel || *channel < 1 || *channel > Module1::lastChannel) return std::nullopt;
    return channel;
}

std::optional<std::string> oneString(const OscMessage& message) {
    if (message.arguments.size() != 1 || !std::holds_alternative<std::string>(message.arguments[0]))
        return std::nullopt;
    return std::get<std::string>(message.arguments[0]);
}

Mapping commandLine(const OscMessage& message) {
    auto line = oneString(message);
    if (!line) return wrongArguments(message, "one string (s)");
    return {CommandLine{std::move(*line)}, {}};
}

Mapping channelLevel(const OscMessage& message, std::string_view channelText, bool raw) {
    auto channel = channelNumber(channelText);
    if (!channel) return outOfRange("channel", channelText, "1 to 512");
    auto number = oneNumber(message);
    if (!number) return wrongArguments(message, "one number (i or f)");
    const double top = raw ? 255 : 100;
    if (!(number->value >= 0 && number->value <= top))
        return raw ? outOfRange("value", number->text, "0 to 255")
                   : outOfRange("level", number->text, "0 to 100");
    const int32_t value =
        raw ? int32_t(std::lround(number->value)) : command::percentValue(number->value);
    return {ChannelLevel{*channel, value}, {}};
}

Mapping master(const OscMessage& message) {
    auto number = oneNumber(message);
    if (!number) return wrongArguments(message, "one number (i or f)");
    if (!(number->value >= 0 && number->value <= 100))
        return outOfRange("grand master", number->text, "0 to 100");
    return {Master{int32_t(std::lround(number->value))}, {}};
}

// A toggle button sends a float as often as an integer: any number but 0 is on.
Mapping blackout(const OscMessage& message) {
    auto number = oneNumber(message);
    if (!number || std::isnan(number->value))
        return wrongArguments(message, "one number (i or f), 0 for off");
    return {Blackout{number->value != 0}, {}};
}

Mapping fire(const OscMessage& message, std::string_view cueText) {
    auto tenths = show::parseCueNumber(cueText);
    if (!tenths) return outOfRange("cue", cueText, "0.1 to 9999.9, at most one decimal");
    if (!message.arguments.empty()) return wrongArguments(message, "no arguments");
    return {Fire{*tenths}, {}};
}

// "@ 50": whole percent, a single digit written as two ("05"), since "5" alone means 50%.
Mapping intensityLine(const OscMessage& message, const std::string& subject) {
    auto number = oneNumber(message);
    if (!number) return wrongArguments(message, "one number (i or f)");
    if (!(number->value >= 0 && number->value <= 100))
        return outOfRange("intensity", number->text, "0 to 100");
    const long percent = std::lround(number->value);
    return {FixtureLine{subject + "@ " + (percent < 10 ? "0" : "") + decimal(percent)}, {}};
}

Mapping colourLine(const OscMessage& message, const std::string& subject) {
    auto colour = oneString(message);
    if (!colour) return wrongArguments(message, "one string (s)");
    return {FixtureLine{subject + "color " + *colour}, {}};
}

// Three numbers 0 to 1 as "#rrggbb".
Mapping rgbLine(const OscMessage& message, const std::string& subject) {
    if (message.arguments.size() != 3) return wrongArguments(message, "three numbers (i or f)");
    std::string line = subject + "color #";
    for (size_t i = 0; i < 3; ++i) {
        auto number = numberArgument(message, i);
        if (!number) return wrongArguments(message, "three numbers (i or f)");
        if (!(number->value >= 0 && number->value <= 1))
            return outOfRange("colour part", number->text, "0 to 1");
        static constexpr char hex[] = "0123456789abcdef";
        const long byte = std::lround(number->value * 255);
        line += hex[byte >> 4];
        line += hex[byte & 15];
    }
    return {FixtureLine{std::move(line)}, {}};
}

// "pan 25.5": percent to a tenth.
Mapping positionLine(const OscMessage& message, const std::string& subject,
                     std::string_view attribute) {
    auto number = oneNumber(message);
    if (!number) return wrongArguments(message, "one number (i or f)");
    if (!(number->value >= 0 && number->value <= 100))
        return outOfRange(attribute, number->text, "0 to 100");
    const double tenths = std::round(number->value * 10) / 10;
    return {FixtureLine{subject + std::string(attribute) + " " + decimal(tenths)}, {}};
}

// /brannic/fix/N/ATTRIBUTE and /brannic/group/G/ATTRIBUTE: the fixture line an operator would
// type for it.
Mapping fixtureAddress(const OscMessage& message, std::string_view kind,
                       std::string_view numberText, std::string_view attribute) {
    const bool group = kind == "group";
    auto number = digitsValue(numberText);
    if (!number || *number < 1 || *number > (group ? 999 : 9999))
        return outOfRange(group ? "group" : "fixture", numberText, group ? "1 to 999" : "1 to 9999");
    const std::string subject = std::string(kind) + " " + decimal(*number) + " ";
    if (attribute == "intensity") return intensityLine(message, subject);
    if (attribute == "color") return colourLine(message, subject);
    if (attribute == "rgb") return rgbLine(message, subject);
    if (attribute == "pan" || attribute == "tilt") return positionLine(message, subject, attribute);
    return refuse("unknown address " + message.address);
}

Mapping bare(const OscMessage& message, Action action) {
    if (!message.arguments.empty()) return wrongArguments(message, "no arguments");
    return {std::move(action), {}};
}

std::vector<std::string_view> parts(std::string_view path) {
    std::vector<std::string_view> found;
    for (size_t start = 0;;) {
        const size_t slash = path.find('/', start);
        found.push_back(path.substr(start, slash - start));
        if (slash == std::string_view::npos) return found;
        start = slash + 1;
    }
}

Mapping mapAddress(const OscMessage& message) {
    const std::string_view address = message.address;
    if (!address.starts_with(prefix)) return refuse("unknown address " + message.address);
    const auto part = parts(address.substr(prefix.size()));
    if (part.size() == 1) {
        if (part[0] == "cmd") return commandLine(message);
        if (part[0] == "go") return bare(message, Go{});
        if (part[0] == "back") return bare(message, Back{});
        if (part[0] == "gm") return master(message);
        if (part[0] == "blackout") return blackout(message);
    }
    if (part[0] == "chan" && part.size() == 2) return channelLevel(message, part[1], false);
    if (part[0] == "chan" && part.size() == 3 && part[2] == "dmx")
        return channelLevel(message, part[1], true);
    if (part[0] == "cue" && part.size() == 3 && part[2] == "fire") return fire(message, part[1]);
    if ((part[0] == "fix" || part[0] == "group") && part.size() == 3)
        return fixtureAddress(message, part[0], part[1], part[2]);
    return refuse("unknown address " + message.address);
}

}  // namespace

bool isShowAction(const Action& action) {
    return !std::holds_alternative<CommandLine>(action) &&
           !std::holds_alternative<ChannelLevel>(action);
}

Mapping mapMessage(const OscMessage& message, bool showControl) {
    Mapping mapped = mapAddress(message);
    if (mapped.action && isShowAction(*mapped.action) && !showControl)
        return refuse(message.address + " needs show control, which is off");
    return mapped;
}

}  // namespace osc
