// Fixture lines in the running program, with show control on: real definitions of the installed
// fixture library give exact bytes on the interface's frames, and the patch outlives a restart.
#include <gtest/gtest.h>

#include <QTcpSocket>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>

#include "support/headless_program.h"
#include "support/http_get.h"
#include "support/loopback.h"
#include "support/pty_pair.h"
#include "support/temp_dir.h"

namespace {

const std::filesystem::path installedFixtures = "/usr/share/qlcplus/fixtures";

using testsupport::httpGet;

// A typed line as a browser's form sends it.
void type(int port, const std::string& line) {
    std::string query;
    for (char c : line) {
        if (c == ' ') query += '+';
        else if (c == '#') query += "%23";
        else if (c == '@') query += "%40";
        else query += c;
    }
    EXPECT_EQ(httpGet(port, "/dmx?cmd=" + query).rfind("HTTP/1.0 200 OK", 0), 0u) << line;
}

nlohmann::json levels(int port) {
    const std::string reply = httpGet(port, "/levels");
    return nlohmann::json::parse(reply.substr(reply.find("\r\n\r\n") + 4), nullptr, false);
}

class FixtureProgram : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!std::filesystem::exists(installedFixtures / "Generic/Generic-Generic-RGB.qxf"))
            GTEST_SKIP() << "qlcplus-data missing";
    }
    void start(testsupport::HeadlessProgram& program, testsupport::PtyPair& pty) {
        program.start(folder.path(), pty.devicePath(), port, {},
                      {"--show", "--show-file", QString::fromStdString(folder.path() / "stage.shw")});
        ASSERT_TRUE(program.waitForLine("in a browser")) << program.output;
    }
    // The last frame once it has channel's level; empty when it never came.
    std::string frameWith(testsupport::PtyPair& pty, int channel, int level) {
        std::string frames;
        testsupport::waitUntil([&] {
            frames += pty.readNow();
            return frames.size() >= 518 && frames.size() % 518 == 0 &&
                   uint8_t(frames[frames.size() - 518 + 4 + channel]) == level;
        });
        return frames.size() < 518 ? std::string() : frames.substr(frames.size() - 518);
    }

    testsupport::TempDir folder;
    int port = testsupport::freePort();
};

std::string bytes(std::initializer_list<int> levels) {
    std::string text;
    for (int level : levels) text += char(level);
    return text;
}

// Pink (#ff7fbf) on an RGB with a dimmer, an RGBW (white takes the common part), a CMY (255 less
// each) and a colour wheel (its nearest single colour, magenta 70 to 79, at its middle); pan to
// 25.5% on 16 bits.
TEST_F(FixtureProgram, ColourAndPanGiveTheFrameBytesAndThePatchOutlivesARestart) {
    testsupport::PtyPair pty;
    testsupport::HeadlessProgram program;
    start(program, pty);
    type(port, "patch 1 @ 1 generic rgb mode RGB Dimmer");
    type(port, "patch 2 @ 5 generic rgbw");
    type(port, "patch 3 @ 9 GLP YPOC 700 CMY");
    type(port, "patch 4 @ 100 UKing LED Spot Moving Head 100W");
    type(port, "patch 10/12 @ 200 dimmer");
    type(port, "fix 1/4 color pink");
    type(port, "fixx 1/4@50");
    type(port, "fix 4 pan 25.5");
    const std::string frame = frameWith(pty, 100, 0x41);
    ASSERT_EQ(frame.size(), 518u) << program.output;
    EXPECT_EQ(frame.substr(5, 8), bytes({255, 127, 191, 0, 128, 0, 64, 127}));
    EXPECT_EQ(frame.substr(4 + 14, 3), bytes({0, 128, 64}));
    EXPECT_EQ(frame.substr(4 + 100, 5), bytes({0x41, 0x47, 0, 0, 74}));
    EXPECT_TRUE(program.waitForLine("fixx 1/4@50 -> unknown word \"fixx\"")) << program.output;

    // The range at consecutive addresses; a patch over fixture 1's channels refused.
    type(port, "patch 20 @ 3 dimmer");
    nlohmann::json read = levels(port);
    ASSERT_EQ(read["fixtures"].size(), 7u) << read.dump();
    EXPECT_EQ(read["fixtures"][4]["address"], 200);
    EXPECT_EQ(read["fixtures"][6]["address"], 202);
    EXPECT_NE(read["results"].get<std::string>().find("fixture 1"), std::string::npos)
        << read["results"];
    program.process.terminate();
    ASSERT_TRUE(program.process.waitForFinished(3000));

    testsupport::PtyPair again;
    testsupport::HeadlessProgram restarted;
    start(restarted, again);
    read = levels(port);
    ASSERT_EQ(read["fixtures"].size(), 7u) << read.dump();
    EXPECT_EQ(read["fixtures"][3]["model"], "LED Spot Moving Head 100W");
    EXPECT_EQ(read["fixtures"][0]["color"], "#ff7fbf");
    type(port, "fix 4 tilt 100");
    EXPECT_EQ(frameWith(again, 102, 255).substr(4 + 102, 2), bytes({255, 255}));
    restarted.process.terminate();
    EXPECT_TRUE(restarted.process.waitForFinished(3000));
}

}  // namespace
