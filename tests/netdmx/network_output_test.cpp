// The outputs as they run inside the program, fed levels directly and caught on real sockets.
#include "netdmx/network_output.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QProcess>
#include <cstdlib>

#include "dmx/output_status.h"
#include "netdmx/udp_capture.h"

namespace {

using testsupport::UdpCapture;

netdmx::OutputPlan planOrFail(const netdmx::NetworkSettings& settings) {
    netdmx::OutputPlan plan;
    EXPECT_EQ(netdmx::planOutputs(settings, plan), "");
    return plan;
}

std::string stateOf(const dmx::OutputStates& states, const std::string& name) {
    for (const dmx::OutputState& output : states.all())
        if (output.name == name) return output.state;
    return "(none)";
}

TEST(NetworkOutput, BurstIsCappedAndEndsOnTheLastLevels) {
    UdpCapture artnet(6454);
    if (!artnet.ready()) GTEST_SKIP() << "the Art-Net port is taken";
    netdmx::NetworkSettings settings;
    settings.artnet = {true, 1, {"127.0.0.1"}};
    dmx::OutputStates states;
    netdmx::NetworkOutputs outputs(states);
    outputs.start(planOrFail(settings));

    // A change every millisecond or so for a second and a half, the last one to 77.
    Module1::LevelStore levels{};
    int64_t end = testsupport::steadyMs() + 1500;
    for (int i = 0; testsupport::steadyMs() < end; ++i) {
        levels[1] = i % 70;
        outputs.send(levels);
        testsupport::receiveFor({&artnet}, 1);
    }
    levels[1] = 77;
    outputs.send(levels);
    testsupport::receiveFor({&artnet}, 200);
    outputs.stop();

    const auto& got = artnet.datagrams;
    ASSERT_GE(got.size(), 30u);
    // No more than 44 in a second; a little slack for the receiving side's clock.
    for (size_t i = 0; i + 44 < got.size(); ++i)
        EXPECT_GE(got[i + 44].receivedMs - got[i].receivedMs, 950) << "packet " << i;
    EXPECT_EQ(got.back().bytes[18], 77);
}

// Multicast, broadcast and a network going away only inside a network namespace of the test's own
// with nothing but lo: the test runs itself again in one. True when this is the run inside.
bool namespacesAllowed() {
    return std::getenv("BRANNIC_IN_TEST_NAMESPACE") ||
           QProcess::execute("unshare", {"-n", "true"}) == 0;
}

bool insideOwnNamespace() {
    if (std::getenv("BRANNIC_IN_TEST_NAMESPACE")) return true;
    QProcess inside;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("BRANNIC_IN_TEST_NAMESPACE", "1");
    inside.setProcessEnvironment(environment);
    const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
    inside.start("unshare", {"-n", "sh", "-c",
                             "ip link set lo up multicast on && ip route add 224.0.0.0/4 dev lo "
                             "&& exec \"$0\" --gtest_filter=\"$1\"",
                             QCoreApplication::applicationFilePath(),
                             QString(test->test_suite_name()) + "." + test->name()});
    EXPECT_TRUE(inside.waitForFinished(30000));
    std::string output = inside.readAll().toStdString();
    EXPECT_EQ(inside.exitCode(), 0) << output;
    EXPECT_NE(output.find("[  PASSED  ] 1 test"), std::string::npos) << output;
    return false;
}

TEST(NetworkOutput, SacnMulticastsToItsUniverseGroupAndTerminatesOnStop) {
    if (!namespacesAllowed()) GTEST_SKIP() << "no network namespaces here";
    if (!insideOwnNamespace()) return;
    UdpCapture sacn(5568, "239.255.0.9");
    ASSERT_TRUE(sacn.ready());
    netdmx::NetworkSettings settings;
    settings.sacn.enabled = true;
    settings.sacn.universe = 9;
    settings.artnet.enabled = true;  // no host: broadcast, but lo is the only interface
    dmx::OutputStates states;
    netdmx::NetworkOutputs outputs(states);
    outputs.start(planOrFail(settings));
    testsupport::receiveFor({&sacn}, 2000, [&] { return !sacn.datagrams.empty(); });
    EXPECT_EQ(stateOf(states, "sACN"), "sending");
    EXPECT_EQ(stateOf(states, "Art-Net"), "error: no IPv4 interface to broadcast on");
    outputs.stop();
    testsupport::receiveFor({&sacn}, 200);

    ASSERT_EQ(sacn.datagrams.size(), 1u + 3u);
    auto rows =
        testsupport::tsharkFields(sacn.datagrams, 5568, {"acn.dmx.universe", "acn.dmx.option_s"});
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0], (std::vector<std::string>{"9", "0"}));
    EXPECT_EQ(rows[3], (std::vector<std::string>{"9", "1"}));
    EXPECT_EQ(stateOf(states, "sACN"), "(none)");
}

// A send error is told once when it starts and once when it clears, however many packets fail.
TEST(NetworkOutput, SendErrorIsToldOnceWhenItStartsAndOnceWhenItClears) {
    if (!namespacesAllowed()) GTEST_SKIP() << "no network namespaces here";
    if (!insideOwnNamespace()) return;
    std::vector<std::string> told;
    dmx::OutputStates states;
    states.watch([&](const dmx::OutputState& output) { told.push_back(output.state); });
    netdmx::NetworkSettings settings;
    settings.artnet = {true, 0, {"127.0.0.1"}};
    netdmx::NetworkOutputs outputs(states);
    outputs.start(planOrFail(settings));
    Module1::LevelStore levels{};
    auto changeFor = [&](int milliseconds) {
        for (int i = 0; i < milliseconds / 10; ++i) {
            outputs.send(levels);
            testsupport::receiveFor({}, 10);
        }
    };
    changeFor(200);
    ASSERT_EQ(QProcess::execute("ip", {"address", "delete", "127.0.0.1/8", "dev", "lo"}), 0);
    changeFor(300);  // a dozen packets fail
    ASSERT_EQ(QProcess::execute("ip", {"address", "add", "127.0.0.1/8", "dev", "lo"}), 0);
    changeFor(200);
    outputs.stop();
    EXPECT_EQ(told, (std::vector<std::string>{"sending", "error: Network is unreachable", "sending",
                                              ""}));
}

}  // namespace
