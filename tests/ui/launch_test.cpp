#include "ui/launch.h"

#include <gtest/gtest.h>

using launch::parseArguments;

TEST(Launch, TakesEveryOption) {
    auto parsed = parseArguments({"--headless", "--port", "8080", "--prefs-dir", "/p", "--app-dir",
                                  "/a", "--wan-service", "ip.example:8081"});
    ASSERT_EQ(parsed.error, "");
    EXPECT_TRUE(parsed.options.headless);
    EXPECT_EQ(parsed.options.port, 8080);
    EXPECT_EQ(parsed.options.prefsDir, "/p");
    EXPECT_EQ(parsed.options.appDir, "/a");
    EXPECT_EQ(parsed.options.wanService, "ip.example:8081");
    EXPECT_FALSE(parseArguments({}).options.port.has_value());
}

TEST(Launch, RejectsBadArgumentsWithAReason) {
    EXPECT_NE(parseArguments({"--port"}).error.find("--port needs a value"), std::string::npos);
    EXPECT_NE(parseArguments({"--port", "80a"}).error.find("80a"), std::string::npos);
    EXPECT_NE(parseArguments({"--port", "0"}).error, "");
    EXPECT_NE(parseArguments({"--port", "65536"}).error, "");
    EXPECT_NE(parseArguments({"--fast"}).error.find("--fast"), std::string::npos);
    EXPECT_NE(parseArguments({"--prefs-dir", ""}).error, "");
    EXPECT_EQ(parseArguments({"--port", "65535"}).options.port, 65535);
}
