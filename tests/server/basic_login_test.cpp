#include "server/basic_login.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string headWith(const std::string& headerLine) {
    return "GET /dmx?cmd=1 HTTP/1.1\r\nHost: 127.0.0.1\r\n" + headerLine +
           "\r\nAccept: */*\r\n\r\n";
}

TEST(ConstantTimeEquals, ComparesWholeTextsOfAnyLength) {
    EXPECT_TRUE(server::constantTimeEquals("", ""));
    EXPECT_TRUE(server::constantTimeEquals("YWRtaW46c2VjcmV0", "YWRtaW46c2VjcmV0"));
    EXPECT_FALSE(server::constantTimeEquals("YWRtaW46c2VjcmV0", "YWRtaW46c2VjcmV1"));
    EXPECT_FALSE(server::constantTimeEquals("abc", "abcd"));
    EXPECT_FALSE(server::constantTimeEquals("abcd", "abc"));
    EXPECT_FALSE(server::constantTimeEquals(std::string("a\0", 2), "a"));
}

TEST(BasicCredentials, TakesTheTokenOfTheAuthorizationLine) {
    EXPECT_EQ(server::basicCredentials(headWith("Authorization: Basic YTpi")), "YTpi");
    EXPECT_EQ(server::basicCredentials(headWith("authorization:basic \t YTpi  ")), "YTpi");
    EXPECT_EQ(server::basicCredentials(headWith("AUTHORIZATION: BASIC YTpi")), "YTpi");
}

TEST(BasicCredentials, IgnoresOtherSchemesHeadersAndTheRequestLine) {
    EXPECT_EQ(server::basicCredentials(headWith("Authorization: Bearer YTpi")), "");
    EXPECT_EQ(server::basicCredentials(headWith("Authorization: BasicYTpi")), "");
    EXPECT_EQ(server::basicCredentials(headWith("Authorization: Basic")), "");
    EXPECT_EQ(server::basicCredentials(headWith("Proxy-Authorization: Basic YTpi")), "");
    EXPECT_EQ(server::basicCredentials(headWith("X-Authorization: Basic YTpi")), "");
    EXPECT_EQ(server::basicCredentials("Authorization: Basic YTpi\r\n\r\n"), "");
    EXPECT_EQ(server::basicCredentials("GET /?Authorization: Basic YTpi HTTP/1.0\r\n\r\n"), "");
}

TEST(LoginAccepted, OnlyTheExpectedCredentialsPass) {
    EXPECT_TRUE(server::loginAccepted(headWith("Authorization: Basic YTpi"), "YTpi"));
    EXPECT_FALSE(server::loginAccepted(headWith("Authorization: Basic YTpj"), "YTpi"));
    EXPECT_FALSE(server::loginAccepted(headWith("Authorization: Basic YTpiYg=="), "YTpi"));
    EXPECT_FALSE(server::loginAccepted(headWith("Accept-Language: en"), "YTpi"));
    // An empty expectation never lets a head without credentials in.
    EXPECT_FALSE(server::loginAccepted(headWith("Accept-Language: en"), ""));
}

}  // namespace
