#include "server/listener_status.h"

#include <gtest/gtest.h>

namespace {

TEST(ConnectedCaption, ShowsIPv4ClientsDotted) {
    EXPECT_EQ(server::connectedCaption("127.0.0.1"), "Connected to: 127.0.0.1");
    EXPECT_EQ(server::connectedCaption("::ffff:192.168.1.20"), "Connected to: 192.168.1.20");
    EXPECT_EQ(server::connectedCaption("::1"), "Connected to: ::1");
    EXPECT_EQ(server::connectedCaption("fe80::ffff:1"), "Connected to: fe80::ffff:1");
}

TEST(SocketErrorCaption, NamesEachKnownCode) {
    EXPECT_EQ(server::socketErrorCaption(100), "100: Internet Driver Error");
    EXPECT_EQ(server::socketErrorCaption(102), "102: Disconnected");
    EXPECT_EQ(server::socketErrorCaption(103), "103: Bad Internet Address");
    EXPECT_EQ(server::socketErrorCaption(104),
              "104: Can't access telnet port 23, OSX or Linux permission problem?");
    EXPECT_EQ(server::socketErrorCaption(105), "105: Internet port already in use");
    EXPECT_EQ(server::socketErrorCaption(106), "106: Invalid state error");
}

TEST(SocketErrorCaption, OtherCodesRepeatTheNumber) {
    EXPECT_EQ(server::socketErrorCaption(107), "107: Error: 107");
    EXPECT_EQ(server::socketErrorCaption(101), "101: Error: 101");
    EXPECT_EQ(server::socketErrorCaption(-1), "-1: Error: -1");
}

}  // namespace
