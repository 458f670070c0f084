// Browsers' lines and OSC messages that come while a line lets other events run take their turn
// in the one queue in the order they came.
#include <lo/lo.h>

#include <chrono>
#include <optional>
#include <thread>

#include "command/console.h"
#include "command_server_fixture.h"
#include "osc/osc_input.h"
#include "platform/events.h"
#include "support/osc_reply_client.h"

using ArrivalOrder = CommandServerTest;
using Change = command::Console::Change;

// A second client's line comes while the first is between its characters, then an OSC channel:
// each runs once, in the order they came, and each reply carries its own result, the second's too
// though its client stopped sending after its request, as a shell pipe does.
TEST_F(ArrivalOrder, ALineThatComesDuringAnotherRunsBeforeALaterOscMessage) {
    const int oscPort = testsupport::freePort();
    osc::InputPlan plan;
    plan.settings.port = uint16_t(oscPort);
    window->oscInput.start(plan);
    testsupport::OscReplyClient osc;
    std::vector<std::string> ran;
    std::optional<testsupport::LoopbackClient> second;
    const command::Console& console = window->console;
    window->console.watch([&](Change change) {
        if (change == Change::line || change == Change::channel)
            ran.push_back(console.lineSource() + " " + console.query());
        if (change != Change::query || console.query() != "1@10" || second) return;
        // Events run at most every few milliseconds: after this wait the first character lets
        // them run, and the test's own event with them.
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        platform::post([&] {
            EXPECT_TRUE(ran.empty()) << "not inside the first line";
            second.emplace(port);
            second->send("GET /dmx?cmd=2%4020 HTTP/1.0\r\n\r\n");
            second->finishSending();
            testsupport::runOscUntil([&] {
                auto open = window->TCPSocket1.OpenConnections();
                return open.size() == 2 && open[0].heardAny && open[1].heardAny;
            });
            lo_address target = lo_address_new("127.0.0.1", std::to_string(oscPort).c_str());
            lo_send_from(target, osc.server, LO_TT_IMMEDIATE, "/brannic/chan/3/dmx", "i", 30);
            lo_address_free(target);
            // Refused at once: once its reply is here, the channel before it has been taken.
            EXPECT_EQ(osc.send(oscPort, "/brannic/none", 0).rfind("/brannic/out/error ", 0), 0u);
        });
    });

    testsupport::LoopbackClient first(port);
    first.send("GET /dmx?cmd=1%4010 HTTP/1.0\r\n\r\n");
    EXPECT_EQ(first.replyUntilClosed(), commandReply("1 @ 10 | ", " 1 @ 10"));
    ASSERT_TRUE(second);
    EXPECT_EQ(second->replyUntilClosed(), commandReply("2 @ 20 | ", " 2 @ 20"));
    testsupport::runOscUntil([&] { return osc.replies.size() == 2; }, osc.server);
    EXPECT_EQ(ran, (std::vector<std::string>{"127.0.0.1 1@10", "127.0.0.1 2@20",
                                             "OSC 127.0.0.1 3@D30"}));
    ASSERT_EQ(osc.replies.size(), 2u);
    EXPECT_EQ(osc.replies[1], "/brannic/out/result  3 @ D30");
}
