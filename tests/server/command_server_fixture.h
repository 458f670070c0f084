#pragma once
// A main window serving on a free loopback port, its serial port on a pseudo-terminal and the
// Quilvane plug-in bound as the program binds it.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "command/level_store.h"
#include "loopback_client.h"
#include "support/loopback.h"
#include "platform/window.h"
#include "server/entrypoints.h"
#include "server/pages.h"
#include "settings/config.h"
#include "shell/window1.h"
#include "support/pty_pair.h"

class CommandServerTest : public ::testing::Test {
  protected:
    static constexpr size_t frameLength = 518;

    void SetUp() override {
        static const std::string bindFailure = Module1::bindPluginMethods(QUILVANE_LIBRARY);
        ASSERT_EQ(bindFailure, "");
        window = &platform::Implicit<Window1>::adopt(std::make_unique<Window1>());
        window->Serial1.setSerialPort(pty.devicePath());
        ASSERT_TRUE(window->Serial1.Open());
        Module1::pageContent = Module1::formPage();
        Module1::requireLogin = false;
        port = testsupport::freePort();
        window->ServerPort = port;
        window->newListener();
        ASSERT_TRUE(window->TCPSocket1.IsListening());
    }

    void TearDown() override { platform::Implicit<Window1>::reset(); }

    // The whole reply to one request on a connection of its own.
    std::string exchange(std::string_view request) {
        testsupport::LoopbackClient client(port);
        client.send(request);
        return client.replyUntilClosed();
    }

    // The levels of channels 1 to 512 in the next frame; fails the test on a malformed frame.
    std::string nextFrameLevels() {
        std::string frame = pty.readExactly(frameLength);
        EXPECT_EQ(frame.size(), frameLength);
        if (frame.size() != frameLength) return {};
        EXPECT_EQ(frame.substr(0, 5), std::string("\x7E\x06\x01\x02\x00", 5));
        EXPECT_EQ(frame.back(), '\xE7');
        return frame.substr(5, 512);
    }

    static std::string levelsWith(std::initializer_list<int> channels, char value) {
        std::string levels(512, '\0');
        for (int channel : channels) levels[static_cast<size_t>(channel - 1)] = value;
        return levels;
    }

    // The reply to a command whose token display and result are given.
    static std::string commandReply(const std::string& tokens, const std::string& result) {
        return "HTTP/1.0 200 OK\r\n\r\n" + Module1::formPage() + "<B>" + tokens + "</B><HR>" +
               result + "<BR></body></html>";
    }

    testsupport::PtyPair pty;
    Window1* window = nullptr;
    int32_t port = 0;
};
