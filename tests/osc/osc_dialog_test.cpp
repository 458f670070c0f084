// The OSC input in this process, set up through its dialog and fed by a liblo client of the test's
// own, which hears the replies.
#include <lo/lo.h>

#include <QCoreApplication>
#include <chrono>
#include <fstream>
#include <sstream>

#include "osc/osc_input.h"
#include "osc/win_osc_input.h"
#include "ui/desktop_fixture.h"

namespace {

using platform::Implicit;

struct ReplyClient {
    ReplyClient() {
        server = lo_server_new_with_proto("0", LO_UDP, nullptr);
        lo_server_add_method(server, nullptr, nullptr, onReply, this);
    }
    ~ReplyClient() { lo_server_free(server); }
    static int onReply(const char* path, const char* types, lo_arg** argv, int argc, lo_message,
                       void* self) {
        if (argc == 1 && types[0] == LO_STRING)
            static_cast<ReplyClient*>(self)->reply = std::string(path) + " " + &argv[0]->s;
        return 0;
    }
    // Sends one integer to address and runs the event loop until the reply came, 5 s at most.
    std::string send(int port, const char* address, int32_t value) {
        reply.clear();
        lo_address target = lo_address_new("127.0.0.1", std::to_string(port).c_str());
        lo_send_from(target, server, LO_TT_IMMEDIATE, address, "i", value);
        lo_address_free(target);
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (reply.empty() && std::chrono::steady_clock::now() < end) {
            QCoreApplication::processEvents();
            lo_server_recv_noblock(server, 1);
        }
        return reply;
    }
    lo_server server;
    std::string reply;
};

}  // namespace

TEST_F(DesktopTest, OscInputDialogAppliesSavesAndTheGateFollowsTheWebLogin) {
    Window1& window = mainWindow();
    WinOscInput& dialog = Implicit<WinOscInput>::instance();
    dialog.txtPort.setText("65536");
    dialog.cmdOK.push();
    EXPECT_EQ(platform::messageLog().back(),
              "OSC Input not changed: osc.port must be a UDP port number from 1 to 65535, not "
              "\"65536\"");
    EXPECT_EQ(window.lblOutputs.caption(), "none");
    EXPECT_FALSE(std::filesystem::exists(prefs.path() / "brannic-webserver.conf"));

    const int port = freePort();
    dialog.txtPort.setText(std::to_string(port));
    dialog.txtAllow.setText("127.0.0.1");
    dialog.cmdOK.push();
    EXPECT_EQ(window.lblOutputs.caption(), "OSC udp port " + std::to_string(port) + ": listening");
    std::stringstream saved;
    saved << std::ifstream(prefs.path() / "brannic-webserver.conf").rdbuf();
    EXPECT_NE(saved.str().find("osc.allow=127.0.0.1\nosc.port=" + std::to_string(port) + "\n"),
              std::string::npos)
        << saved.str();

    ReplyClient client;
    EXPECT_EQ(client.send(port, "/brannic/chan/7/dmx", 200), "/brannic/out/result  7 @ D200");
    EXPECT_EQ(Module1::DMXdata[7], 200);
    EXPECT_EQ(window.lblQuery.caption(), "7@D200");

    // With no sender named every one is taken, until the web login is turned on.
    dialog.txtAllow.setText("");
    dialog.cmdOK.push();
    EXPECT_EQ(client.send(port, "/brannic/chan/7/dmx", 100), "/brannic/out/result  7 @ D100");
    Module1::requireLogin = true;
    EXPECT_EQ(client.send(port, "/brannic/chan/7/dmx", 5),
              "/brannic/out/error this sender is not allowed");
    EXPECT_EQ(Module1::DMXdata[7], 100);
    EXPECT_NE(window.StaticText1.caption().find("no sender is taken while the web login is on"),
              std::string::npos);
    window.oscInput.stop();
    EXPECT_EQ(window.lblOutputs.caption(), "none");
}
