#include "server/request.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using server::RequestKind;

TEST(HeadLength, ReachesThroughTheFirstBlankLine) {
    std::string head = "GET / HTTP/1.1\r\nHost: x\r\n\r\n";
    EXPECT_EQ(server::headLength(head), head.size());
    EXPECT_EQ(server::headLength(head + "GET /help HTTP/1.0\r\n\r\n"), head.size());
    EXPECT_EQ(server::headLength("GET / HTTP/1.1\r\nHost: x\r\n"), 0u);
    EXPECT_EQ(server::headLength("34@25\r\n"), 0u);
    EXPECT_EQ(server::headLength("\r\n\r\n"), 4u);
    EXPECT_EQ(server::headLength("GET /\n\n"), 0u);
}

TEST(HeadTooLong, CapsCompleteAndIncompleteHeads) {
    std::string filler(server::maxHeadLength - 4, 'a');
    EXPECT_FALSE(server::headTooLong(filler + "\r\n\r\n"));
    EXPECT_TRUE(server::headTooLong(filler + "a\r\n\r\n"));
    EXPECT_FALSE(server::headTooLong(std::string(server::maxHeadLength, 'a')));
    EXPECT_TRUE(server::headTooLong(std::string(server::maxHeadLength + 1, 'a')));
    // A short head followed by a large body still fits.
    EXPECT_FALSE(server::headTooLong("GET / HTTP/1.0\r\n\r\n" + std::string(20000, 'b')));
}

TEST(RequestLine, IsTheTextBeforeTheProtocolLessItsSpace) {
    EXPECT_EQ(server::requestLine("GET /dmx?cmd=1%4050 HTTP/1.1\r\nHost: a\r\n\r\n"),
              "GET /dmx?cmd=1%4050");
    EXPECT_EQ(server::requestLine("GET /help HTTP/1.0\r\n\r\n"), "GET /help");
    // A telnet client's typing holds no protocol.
    EXPECT_EQ(server::requestLine("34@25\r\n\r\n"), "");
    EXPECT_EQ(server::requestLine("HTTP/1.0\r\n\r\n"), "");
    EXPECT_EQ(server::requestLine("xHTTP\r\n\r\n"), "");
    EXPECT_EQ(server::requestLine("xyHTTP\r\n\r\n"), "x");
    // Letter case counts, as browsers send it in capitals.
    EXPECT_EQ(server::requestLine("GET /help http/1.0\r\n\r\n"), "");
}

TEST(Classify, HelpOnlyForTheExactLineThenAnyEqualsSign) {
    EXPECT_EQ(server::classify("GET /help"), RequestKind::help);
    EXPECT_EQ(server::classify("GET /help?x=1"), RequestKind::command);
    EXPECT_EQ(server::classify("get /help"), RequestKind::formPage);
    EXPECT_EQ(server::classify("GET /favicon.ico"), RequestKind::formPage);
    EXPECT_EQ(server::classify(""), RequestKind::formPage);
    EXPECT_EQ(server::classify("POST /anything?x=2"), RequestKind::command);
}

TEST(QueryValue, RunsFromTheFirstEqualsThroughTheFirstAmpersand) {
    EXPECT_EQ(server::queryValue("GET /dmx?cmd=34%4025"), "34%4025");
    EXPECT_EQ(server::queryValue("GET /dmx?cmd=5%4050&go=1"), "5%4050&");
    EXPECT_EQ(server::queryValue("GET /dmx?cmd="), "");
    EXPECT_EQ(server::queryValue("GET /dmx?cmd=&x=1"), "&");
    EXPECT_EQ(server::queryValue("GET /dmx?a=b=c"), "b=c");
    EXPECT_EQ(server::queryValue("GET /dmx?cmd=1+2%2B3"), "1+2%2B3");
}

}  // namespace
