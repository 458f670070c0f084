#include "osc/address_space.h"

#include <gtest/gtest.h>

#include "osc/fault_reports.h"
#include "osc/respond.h"

namespace {

using platform::OscArgument;
using platform::OscMessage;

osc::Mapping map(const std::string& address, std::vector<OscArgument> arguments = {},
                 bool showControl = true) {
    return osc::mapMessage(OscMessage{address, std::move(arguments)}, showControl);
}

int32_t channelValue(const osc::Mapping& mapped) {
    EXPECT_TRUE(mapped.action) << mapped.refusal;
    return mapped.action ? std::get<osc::ChannelLevel>(*mapped.action).value : -1;
}

TEST(OscAddressSpace, PercentIsExactAndRoundedAsATypedPercent) {
    EXPECT_EQ(channelValue(map("/brannic/chan/7", {int32_t(50)})), 127);
    // No ten-times rule for a single digit: 5 is 5%.
    EXPECT_EQ(channelValue(map("/brannic/chan/7", {int32_t(5)})), 13);
    // Fractions count: 33.3% is 84.9, 85.
    EXPECT_EQ(channelValue(map("/brannic/chan/7", {33.3f})), 85);
    EXPECT_EQ(channelValue(map("/brannic/chan/512/dmx", {int32_t(200)})), 200);
}

TEST(OscAddressSpace, WrongTypeOrCountChangesNothingAndSaysWhat) {
    EXPECT_EQ(map("/brannic/chan/1", {std::string("50")}).refusal,
              "/brannic/chan/1 takes one number (i or f)");
    EXPECT_EQ(map("/brannic/gm", {int32_t(1), int32_t(2)}).refusal,
              "/brannic/gm takes one number (i or f)");
    EXPECT_EQ(map("/brannic/go", {int32_t(1)}).refusal, "/brannic/go takes no arguments");
    EXPECT_EQ(map("/brannic/blackout", {std::string("on")}).refusal,
              "/brannic/blackout takes one number (i or f), 0 for off");
    EXPECT_EQ(map("/brannic/chan/1/raw", {int32_t(1)}).refusal,
              "unknown address /brannic/chan/1/raw");
}

TEST(OscAddressSpace, OutOfRangeNamesTheValueAndTheRange) {
    EXPECT_EQ(map("/brannic/chan/513", {int32_t(1)}).refusal,
              "channel 513 is out of range 1 to 512");
    EXPECT_EQ(map("/brannic/chan/1", {100.5f}).refusal, "level 100.5 is out of range 0 to 100");
    EXPECT_FALSE(map("/brannic/gm", {std::numeric_limits<float>::quiet_NaN()}).action);
}

TEST(OscAddressSpace, CueNumbersCountInTenths) {
    EXPECT_EQ(std::get<osc::Fire>(*map("/brannic/cue/2.5/fire").action).tenths, 25);
    EXPECT_EQ(map("/brannic/cue/2.55/fire").refusal,
              "cue 2.55 is out of range 0.1 to 9999.9, at most one decimal");
}

TEST(OscAddressSpace, ShowAddressesNeedShowControlAndChannelsDoNot) {
    EXPECT_EQ(map("/brannic/go", {}, false).refusal,
              "/brannic/go needs show control, which is off");
    EXPECT_TRUE(std::get<osc::Blackout>(*map("/brannic/blackout", {int32_t(1)}).action).on);
    EXPECT_EQ(std::get<osc::Master>(*map("/brannic/gm", {49.5f}).action).percent, 50);
}

std::string fixtureLine(const osc::Mapping& mapped) {
    EXPECT_TRUE(mapped.action) << mapped.refusal;
    return mapped.action ? std::get<osc::FixtureLine>(*mapped.action).text : "";
}

// Each fixture address is the line an operator would type; 5% keeps its two digits, since "@ 5"
// is 50%.
TEST(OscAddressSpace, FixtureAddressesAreTheLinesAnOperatorWouldType) {
    EXPECT_EQ(fixtureLine(map("/brannic/fix/3/intensity", {int32_t(5)})), "fix 3 @ 05");
    EXPECT_EQ(fixtureLine(map("/brannic/group/2/color", {std::string("red")})),
              "group 2 color red");
    EXPECT_EQ(fixtureLine(map("/brannic/fix/3/rgb", {1.0f, 0.5f, int32_t(0)})),
              "fix 3 color #ff8000");
    EXPECT_EQ(fixtureLine(map("/brannic/fix/3/pan", {25.5f})), "fix 3 pan 25.5");
    EXPECT_EQ(map("/brannic/fix/3/tilt", {int32_t(50)}, false).refusal,
              "/brannic/fix/3/tilt needs show control, which is off");
    EXPECT_EQ(map("/brannic/group/1000/intensity", {int32_t(50)}).refusal,
              "group 1000 is out of range 1 to 999");
}

// A touch surface's toggle sends a float: any number but 0 is on.
TEST(OscAddressSpace, BlackoutTakesAnIntegerOrAFloat) {
    EXPECT_TRUE(std::get<osc::Blackout>(*map("/brannic/blackout", {1.0f}).action).on);
    EXPECT_FALSE(std::get<osc::Blackout>(*map("/brannic/blackout", {0.0f}).action).on);
    EXPECT_FALSE(map("/brannic/blackout", {std::numeric_limits<float>::quiet_NaN()}).action);
    EXPECT_TRUE(map("/brannic/chan/1", {int32_t(1)}, false).action);
    EXPECT_TRUE(map("/brannic/cmd", {std::string("go")}, false).action);
}

TEST(OscSenders, RefusedSenderHearsOnceThenNothingForAMinute) {
    osc::SenderGate gate({"10.0.0.5"}, false);
    int ran = 0;
    auto submit = [&ran](show::ConsoleAction, std::string, show::ActionQueue::Done done) {
        ++ran;
        done(" 1 @ 50");
    };
    auto send = [&](const std::string& host, int64_t now) {
        platform::OscReply heard;
        osc::respond({"/brannic/chan/1", {int32_t(50)}}, {host, 9000}, now, gate, false, submit,
                     [&heard](const platform::OscReply& reply) { heard = reply; });
        return heard;
    };
    EXPECT_EQ(send("10.0.0.5", 0).address, "/brannic/out/result");
    platform::OscReply first = send("10.0.0.9", 0);
    EXPECT_EQ(first.address, "/brannic/out/error");
    EXPECT_EQ(first.text, osc::notAllowedText);
    EXPECT_EQ(send("10.0.0.9", 59'999).address, "");
    EXPECT_EQ(send("10.0.0.9", 60'000).address, "/brannic/out/error");
    EXPECT_EQ(ran, 1);
}

TEST(OscSenders, WebLoginTakesNoSenderUntilOneIsNamed) {
    osc::SenderGate closed({}, true);
    EXPECT_NE(closed.judge("127.0.0.1", 0), osc::SenderGate::Verdict::Taken);
    EXPECT_TRUE(closed.closedNote());
    EXPECT_EQ(osc::SenderGate({}, false).judge("192.168.1.50", 0), osc::SenderGate::Verdict::Taken);
    EXPECT_EQ(osc::SenderGate({"127.0.0.1"}, true).judge("127.0.0.1", 0),
              osc::SenderGate::Verdict::Taken);
}

TEST(OscFaults, EachKindIsToldAtMostOnceAMinuteWithItsCount) {
    using platform::OscFault;
    osc::FaultReports reports;
    EXPECT_EQ(reports.count(OscFault::CutShort, 1000), "OSC: 1 packet ignored (cut short)");
    EXPECT_FALSE(reports.count(OscFault::CutShort, 2000));
    EXPECT_FALSE(reports.count(OscFault::CutShort, 3000));
    // Another kind is told at once.
    EXPECT_TRUE(reports.count(OscFault::NotOsc, 3000));
    EXPECT_TRUE(reports.due(60'999).empty());
    EXPECT_EQ(reports.due(61'000), std::vector<std::string>{"OSC: 2 packets ignored (cut short)"});
}

}  // namespace
