#include "show/show_command.h"

#include <gtest/gtest.h>

namespace {

using show::parseShowCommand;

TEST(ShowCommand, ReadsNumbersTimesAndALabelToTheEndOfTheLine) {
    auto rec = std::get<show::Record>(
        parseShowCommand("REC 2.5 Time 1.25/4 label Act 1, sc\xc3\xa8ne  two"));
    EXPECT_EQ(rec.number, 25);
    EXPECT_EQ(rec.times, (show::FadeTimes{1250, 4000}));
    EXPECT_EQ(rec.label, "Act 1, sc\xc3\xa8ne  two");
    EXPECT_FALSE(std::get<show::Record>(parseShowCommand("rec")).number);

    // The master is a whole percent: typed decimals round half up.
    EXPECT_EQ(std::get<show::SetMaster>(parseShowCommand("gm 50.5")).percent, 51);
    EXPECT_EQ(std::get<show::SetMaster>(parseShowCommand("gm 50.49")).percent, 50);

    auto go = std::get<show::Go>(parseShowCommand("go  from none"));
    EXPECT_TRUE(go.guarded);
    EXPECT_FALSE(go.from);

    // A form's "+" is a space; a real plus arrives as %2B and is decoded after.
    EXPECT_EQ(show::formSpaces("rec+5+label+A%2BB"), "rec 5 label A%2BB");
}

TEST(ShowCommand, RefusesWhatCannotRunAndSaysWhy) {
    auto reason = [](std::string_view line) {
        return std::get<show::Refused>(parseShowCommand(line)).reason;
    };
    EXPECT_EQ(reason("rec 0"), "rec: 0 is not a cue number 0.1 to 9999.9");
    EXPECT_EQ(reason("rec 2.55"), "rec: 2.55 is not a cue number 0.1 to 9999.9");
    EXPECT_EQ(reason("gm 150"), "gm: \"150\" is not a percent 0 to 100");
    EXPECT_EQ(reason("gm 100.01"), "gm: \"100.01\" is not a percent 0 to 100");
    EXPECT_EQ(reason("cue 7 time -1"), "cue: time \"-1\" is not seconds 0 to 3600");
    EXPECT_EQ(reason("goto 3 label x"), "goto: unknown word \"label\"");
    EXPECT_EQ(reason("bo maybe"), "bo: unknown word \"maybe\"");
}

}  // namespace
