// The reply of every request shape, and what reaches the interface.
#include "command_server_fixture.h"
#include "command/console.h"
#include "server/live_messages.h"
#include "show/show_control.h"

namespace {

const std::string formReply = "HTTP/1.0 200 OK\r\n\r\n" + Module1::formPage() + "</body></html>";

using CommandReply = CommandServerTest;

TEST_F(CommandReply, BrowserCommandRunsAndShowsTokensAndResult) {
    std::string reply =
        exchange("GET /dmx?cmd=34%4025 HTTP/1.1\r\nHost: 127.0.0.1\r\nAccept: text/html\r\n\r\n");
    EXPECT_EQ(window->lblQuery.caption(), "34@25");
    EXPECT_EQ(window->lblResults.caption(), " 34 @ 25");
    EXPECT_FALSE(window->lblTokens.caption().empty());
    EXPECT_EQ(reply, commandReply("34 @ 25 | ", " 34 @ 25"));
    EXPECT_EQ(nextFrameLevels(), levelsWith({34}, 64));
}

TEST_F(CommandReply, HelpPageOnlyForTheBarePath) {
    EXPECT_EQ(exchange("GET /help HTTP/1.0\r\n\r\n"), Module1::helpPage());
    EXPECT_EQ(pty.readFor(100), "");
    // With a query it is a command like any other.
    exchange("GET /help?x=1 HTTP/1.0\r\n\r\n");
    EXPECT_EQ(window->lblQuery.caption(), "1");
    EXPECT_EQ(nextFrameLevels(), levelsWith({1}, '\xFF'));
}

TEST_F(CommandReply, OtherPathsAndEmptyRequestLinesGetTheFormPage) {
    EXPECT_EQ(exchange("GET /favicon.ico HTTP/1.1\r\nHost: a\r\n\r\n"), formReply);
    EXPECT_EQ(exchange("\r\n\r\n"), formReply);
    EXPECT_EQ(window->lblQuery.caption(), "Command");
    EXPECT_EQ(pty.readFor(100), "");
}

TEST_F(CommandReply, FormPageFromFileIsServedAsLoaded) {
    Module1::pageContent = "<html><body>Stage</b>";
    EXPECT_EQ(exchange("GET / HTTP/1.1\r\n\r\n"),
              "HTTP/1.0 200 OK\r\n\r\n<html><body>Stage</b></body></html>");
    Module1::pageContent.clear();
    std::string reply = exchange("GET /dmx?cmd=2%4050 HTTP/1.1\r\n\r\n");
    EXPECT_EQ(reply.substr(0, 22), "HTTP/1.0 200 OK\r\n\r\n<B>");
}

TEST_F(CommandReply, AmpersandEndsTheStatementAndDropsTheRest) {
    std::string reply = exchange("GET /dmx?cmd=5%4050&go=1%4099 HTTP/1.1\r\n\r\n");
    EXPECT_EQ(window->lblQuery.caption(), "5@50&");
    EXPECT_EQ(reply, commandReply("5 @ 50 |  | ", " 5 @ 50"));
    EXPECT_EQ(nextFrameLevels(), levelsWith({5}, 127));
}

TEST_F(CommandReply, EncodedSpacesAreTrimmedAndPlusSignsSelectChannels) {
    exchange("GET /dmx?cmd=%20%2034%4025%20 HTTP/1.1\r\n\r\n");
    EXPECT_EQ(window->lblQuery.caption(), "34@25");
    EXPECT_EQ(nextFrameLevels(), levelsWith({34}, 64));
    exchange("GET /dmx?cmd=1+2%2B3%4050 HTTP/1.1\r\n\r\n");
    EXPECT_EQ(window->lblQuery.caption(), "1+2+3@50");
    std::string expected = levelsWith({1, 2, 3}, 127);
    expected[33] = 64;
    EXPECT_EQ(nextFrameLevels(), expected);
}

TEST_F(CommandReply, EmptyValueStillSendsTheUniverse) {
    window->console.DMXdata[9] = 200;
    std::string reply = exchange("GET /dmx?cmd= HTTP/1.1\r\n\r\n");
    EXPECT_EQ(window->lblQuery.caption(), "");
    EXPECT_EQ(reply, commandReply(window->lblTokens.caption(), window->lblResults.caption()));
    EXPECT_EQ(nextFrameLevels(), levelsWith({9}, char(200)));
}

TEST_F(CommandReply, TelnetLineWithoutProtocolRunsNothing) {
    testsupport::LoopbackClient telnet(port);
    telnet.send("34@25\r\n");
    EXPECT_EQ(telnet.receivedWithin(200), "");
    EXPECT_FALSE(telnet.closedByServer());
    telnet.send("\r\n");
    EXPECT_EQ(telnet.replyUntilClosed(), formReply);
    EXPECT_EQ(pty.readFor(100), "");
}

TEST_F(CommandReply, OnlyTheFirstOfTwoRequestsInOnePacketIsAnswered) {
    std::string reply =
        exchange("GET /dmx?cmd=7%4070 HTTP/1.1\r\n\r\nGET /dmx?cmd=8%4080 HTTP/1.1\r\n\r\n");
    EXPECT_EQ(reply, commandReply("7 @ 70 | ", " 7 @ 70"));
    EXPECT_EQ(nextFrameLevels(), levelsWith({7}, char(179)));
    EXPECT_EQ(pty.readFor(200), "");
    EXPECT_EQ(window->console.DMXdata[8], 0);
}

// With show control on, a slip of the thumb after all channels at 0 leaves them there.
TEST_F(CommandReply, WithShowControlAWordNotUnderstoodIsRefusedAndSetsNothing) {
    window->showControl.setOn(true);
    exchange("GET /dmx?cmd=1%2F512%400 HTTP/1.1\r\n\r\n");
    EXPECT_EQ(nextFrameLevels(), std::string(512, '\0'));
    exchange("GET /dmx?cmd=go! HTTP/1.1\r\n\r\n");
    EXPECT_EQ(window->lblResults.caption(), "unknown word \"go!\"");
    EXPECT_EQ(nextFrameLevels(), std::string(512, '\0'));
    // A form sends spaces as "+": operators spelled out are read as words.
    exchange("GET /dmx?cmd=1+thru+3+at+50 HTTP/1.1\r\n\r\n");
    EXPECT_EQ(window->lblQuery.caption(), "1 thru 3 at 50");
    EXPECT_EQ(nextFrameLevels(), levelsWith({1, 2, 3}, 127));
}

// The live read-back's paths answer with or without a query and never run it.
TEST_F(CommandReply, LivePathsWithAQueryRunNoCommand) {
    Module1::liveLevels = true;
    EXPECT_EQ(
        exchange("GET /levels?t=5 HTTP/1.1\r\n\r\n").substr(0, server::levelsReplyHead.size()),
        server::levelsReplyHead);
    testsupport::LoopbackClient stream(port);
    stream.send("GET /events?id=7#x HTTP/1.1\r\n\r\n");
    EXPECT_EQ(stream.receivedWithin(300), server::eventStreamHead);
    Module1::liveLevels = false;
    EXPECT_EQ(pty.readFor(100), "");
}

TEST_F(CommandReply, StatusLineNamesTheClientAndThePort) {
    exchange("GET / HTTP/1.0\r\n\r\n");
    EXPECT_EQ(window->StaticText1.caption(), "Connected to: 127.0.0.1");
    EXPECT_EQ(window->lblIPort.caption(), std::to_string(port));
}

}  // namespace
