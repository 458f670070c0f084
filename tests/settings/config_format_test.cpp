#include "settings/config_format.h"

#include <gtest/gtest.h>

#include "settings/extra_settings_format.h"

namespace {

using settings::ConfigValues;
using settings::formatConfig;
using settings::parseConfig;

std::vector<std::string> linesWithLine(size_t number, std::string text) {
    std::vector<std::string> lines =
        formatConfig(ConfigValues{"show.shw", 2, 8080, true, true, true, "u", "p"});
    lines[number - 1] = std::move(text);
    return lines;
}

TEST(ConfigFormat, WritesTheEightLinesInFileOrder) {
    ConfigValues values{"default.shw", 0, 80, false, false, false, "", ""};
    EXPECT_EQ(formatConfig(values),
              (std::vector<std::string>{"default.shw", "0", "80", "enableWAN=false",
                                        "requireLogin=false", "startMinimized=false", "", ""}));
    values = {"a b.shw", -1, 65535, true, true, true, "x", "y"};
    EXPECT_EQ(formatConfig(values),
              (std::vector<std::string>{"a b.shw", "-1", "65535", "enableWAN=true",
                                        "requireLogin=true", "startMinimized=true", "x", "y"}));
}

TEST(ConfigFormat, FlagsNeedTheExactTrueLine) {
    for (const char* line :
         {"enableWAN=false", "enableWAN=yes", "enableWAN =true", "enableWAN= true",
          "enableWAN=true ", "ENABLEWAN=TRUE", "", "true", "requireLogin=true"}) {
        EXPECT_FALSE(parseConfig(linesWithLine(4, line)).enableWAN) << line;
    }
    EXPECT_TRUE(parseConfig(linesWithLine(4, "enableWAN=true")).enableWAN);
    // Each flag is known by its line, not by the key written in it.
    EXPECT_FALSE(parseConfig(linesWithLine(5, "enableWAN=true")).requireLogin);
    EXPECT_FALSE(parseConfig(linesWithLine(6, "requireLogin=true")).startMinimized);
}

TEST(ConfigFormat, NumbersAreTheirLeadingDigits) {
    EXPECT_EQ(parseConfig(linesWithLine(3, "8080abc")).webServerPort, 8080);
    EXPECT_EQ(parseConfig(linesWithLine(3, "abc")).webServerPort, 0);
    EXPECT_EQ(parseConfig(linesWithLine(3, "")).webServerPort, 0);
    EXPECT_EQ(parseConfig(linesWithLine(2, " 7")).currentPortNumber, 7);
    EXPECT_EQ(parseConfig(linesWithLine(2, "-1")).currentPortNumber, -1);
    EXPECT_EQ(parseConfig(linesWithLine(2, "2.9")).currentPortNumber, 2);
    EXPECT_EQ(parseConfig(linesWithLine(3, "99999999999")).webServerPort, INT32_MAX);
}

TEST(ConfigFormat, MissingLinesReadAsEmptyAndLaterLinesAreIgnored) {
    ConfigValues values = parseConfig({"show.shw", "4", "81"});
    EXPECT_EQ(values.currentShowFile, "show.shw");
    EXPECT_EQ(values.currentPortNumber, 4);
    EXPECT_EQ(values.webServerPort, 81);
    EXPECT_FALSE(values.enableWAN || values.requireLogin || values.startMinimized);
    EXPECT_EQ(values.username, "");
    EXPECT_EQ(values.password, "");

    ConfigValues empty = parseConfig({});
    EXPECT_EQ(empty.currentShowFile, "");
    EXPECT_EQ(empty.webServerPort, 0);

    std::vector<std::string> longer = formatConfig({"s", 1, 2, false, false, false, "u", "p"});
    longer.push_back("extra");
    EXPECT_EQ(parseConfig(longer).password, "p");
}

}  // namespace

TEST(ExtraSettingsFormat, SkipsNoiseKeepsLastValueAndRoundTrips) {
    settings::ExtraSettings parsed = settings::parseExtraSettings(
        "# note\r\nsacn.universe=1\n\nno equals sign\nlive=on\r\nsacn.universe=7\nhosts=a=b");
    EXPECT_EQ(parsed,
              (settings::ExtraSettings{{"hosts", "a=b"}, {"live", "on"}, {"sacn.universe", "7"}}));
    std::string text;
    for (const std::string& line : settings::formatExtraSettings(parsed)) text += line + "\n";
    EXPECT_EQ(settings::parseExtraSettings(text), parsed);
}
