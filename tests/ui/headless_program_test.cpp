// The program as a stage machine runs it: headless, from the command line, driven over HTTP, with a
// pseudo-terminal as the DMX interface.
#include "support/headless_program.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <QProcess>
#include <QTcpSocket>
#include <QThread>
#include <algorithm>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <vector>

#include "support/cpu_ticks.h"
#include "support/event_stream_reader.h"
#include "support/http_get.h"
#include "support/long_show.h"
#include "support/loopback.h"
#include "support/pty_pair.h"
#include "support/temp_dir.h"

namespace {

using testsupport::httpGet;

struct Program : testsupport::HeadlessProgram {
    void start(const testsupport::TempDir& prefs, const std::string& serialDevice, int port,
               QStringList launcher = {}, QStringList options = {}) {
        HeadlessProgram::start(prefs.path(), serialDevice, port, launcher, options);
    }

    // SIGTERM ends the program promptly and cleanly.
    void stop() {
        QElapsedTimer stopping;
        stopping.start();
        process.terminate();
        ASSERT_TRUE(process.waitForFinished(3000));
        EXPECT_LT(stopping.elapsed(), 1000);
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(process.exitCode(), 0);
    }
};

// Sockets listening on port in the network namespace of process pid, as the kernel lists them
// (IPv4 and IPv6 tables).
int listeningSockets(qint64 pid, int port) {
    char portHex[8];
    std::snprintf(portHex, sizeof portHex, ":%04X", port);
    int count = 0;
    for (const char* table : {"tcp", "tcp6"}) {
        std::ifstream lines("/proc/" + std::to_string(pid) + "/net/" + table);
        for (std::string line; std::getline(lines, line);) {
            std::istringstream fields(line);
            std::string slot, local, remote, state;
            fields >> slot >> local >> remote >> state;
            if (local.ends_with(portHex) && state == "0A") ++count;
        }
    }
    return count;
}

// A channel's level in a frame to the USB interface.
int frameLevel(const std::string& frame, int channel) {
    return static_cast<uint8_t>(frame.at(4 + channel));
}

}  // namespace

TEST(HeadlessProgram, ServesCommandsSendsFramesAndStopsOnSigterm) {
    testsupport::TempDir prefs;
    testsupport::PtyPair pty;
    int port = testsupport::freePort();
    Program program;
    program.start(prefs, pty.devicePath(), port);
    ASSERT_TRUE(program.process.waitForStarted(5000));
    ASSERT_TRUE(program.waitForLine("in a browser")) << program.output;
    EXPECT_NE(program.output.find("StaticText1: Port 0 is open"), std::string::npos)
        << program.output;
    EXPECT_NE(program.output.find(":" + std::to_string(port) + "/"), std::string::npos);

    for (const auto& [query, channel, level] :
         {std::tuple{"34%4025", 34, 64}, std::tuple{"1/5+8+11@75", 11, 191},
          std::tuple{"504@D184", 504, 184}}) {
        std::string reply = httpGet(port, std::string("/dmx?cmd=") + query);
        EXPECT_EQ(reply.rfind("HTTP/1.0 200 OK\r\n\r\n", 0), 0u) << reply;
        std::string frame = pty.readExactly(518);
        ASSERT_EQ(frame.size(), 518u);
        EXPECT_EQ(static_cast<uint8_t>(frame[4 + channel]), level) << query;
    }
    // One line a command; the connection's caption, the same each time, prints once.
    EXPECT_TRUE(program.waitForLine("127.0.0.1: 504@D184 -> 504 @ 184\n")) << program.output;
    EXPECT_EQ(program.output.substr(program.output.find("StaticText1: Connected")),
              "StaticText1: Connected to: 127.0.0.1\n"
              "127.0.0.1: 34@25 -> 34 @ 25\n"
              "127.0.0.1: 1/5+8+11@75 -> 1 2 3 4 5 8 11 @ 75\n"
              "127.0.0.1: 504@D184 -> 504 @ 184\n");
    program.stop();
}

// A machine with no network (a network namespace of its own holds only a loopback that is down)
// still starts, says so, and listens for when a network comes.
TEST(HeadlessProgram, WithoutANetworkSaysSoAndStillListens) {
    if (QProcess::execute("unshare", {"-n", "true"}) != 0) {
        GTEST_SKIP() << "no network namespaces here";
    }
    testsupport::TempDir prefs;
    testsupport::PtyPair pty;
    int port = testsupport::freePort();
    Program program;
    program.start(prefs, pty.devicePath(), port, {"unshare", "-n"});
    ASSERT_TRUE(program.process.waitForStarted(5000));
    ASSERT_TRUE(program.waitForLine("in a browser")) << program.output;
    EXPECT_NE(program.output.find("lblIPaddr: No network"), std::string::npos) << program.output;
    EXPECT_NE(program.output.find("StaticText1: Port 0 is open"), std::string::npos);
    EXPECT_EQ(listeningSockets(program.process.processId(), port), 1);
    program.stop();
}

// The program headless on a free port, started up.
class StartedProgram : public ::testing::Test {
  protected:
    void SetUp() override {
        program.start(prefs, pty.devicePath(), port);
        ASSERT_TRUE(program.waitForLine("in a browser")) << program.output;
    }

    testsupport::TempDir prefs;
    testsupport::PtyPair pty;
    int port = testsupport::freePort();
    Program program;
};

// A standard output that nobody reads loses status lines, never commands; read again, it says how
// many were lost and goes on.
TEST_F(StartedProgram, StdoutNobodyReadsLosesStatusLinesNotCommands) {
    // Each command prints a status line of some three kilobytes: a hundred fill any pipe and queue.
    std::string channels;
    for (int channel = 1; channel < 400; ++channel) channels += std::to_string(channel) + "%2B";
    for (int i = 0; i < 100; ++i) {
        std::string reply = httpGet(port, "/dmx?cmd=" + channels + "400%4050");
        ASSERT_EQ(reply.rfind("HTTP/1.0 200 OK", 0), 0u) << "command " << i;
    }
    EXPECT_TRUE(program.waitForLine(" status lines dropped\n"));
    httpGet(port, "/dmx?cmd=7%4050");
    EXPECT_TRUE(program.waitForLine("127.0.0.1: 7@50 -> 7 @ 50")) << program.output.substr(0, 200);
    program.stop();
}

// A dropped ssh session (SIGHUP) and a reader of standard output that went away do not stop it.
TEST_F(StartedProgram, HangupAndAClosedStdoutDoNotStopIt) {
    ::kill(static_cast<pid_t>(program.process.processId()), SIGHUP);
    program.process.closeReadChannel(QProcess::StandardOutput);
    for (const char* command : {"1%4050", "2%4050"}) {
        std::string reply = httpGet(port, std::string("/dmx?cmd=") + command);
        EXPECT_EQ(reply.rfind("HTTP/1.0 200 OK", 0), 0u) << command;
    }
    EXPECT_EQ(program.process.state(), QProcess::Running);
    program.stop();
}

// Started with standard output closed, it puts /dev/null there, so the status lines do not go into
// the next file it opens (the event loop's own).
TEST(HeadlessProgram, ClosedStdoutAtStartBecomesDevNull) {
    testsupport::TempDir prefs;
    testsupport::PtyPair pty;
    int port = testsupport::freePort();
    Program program;
    program.process.setChildProcessModifier([] { ::close(STDOUT_FILENO); });
    program.start(prefs, pty.devicePath(), port);
    std::string reply;
    for (int attempt = 0; attempt < 50 && reply.empty(); ++attempt) {
        ::usleep(100 * 1000);
        reply = httpGet(port, "/dmx?cmd=1%4050");
    }
    EXPECT_EQ(reply.rfind("HTTP/1.0 200 OK", 0), 0u) << reply;
    std::string stdoutFile = "/proc/" + std::to_string(program.process.processId()) + "/fd/1";
    EXPECT_EQ(std::filesystem::read_symlink(stdoutFile), "/dev/null");
    program.stop();
}

// The settings' port is a terminal of no interface; the one named for the run comes later.
TEST(HeadlessProgram, SerialPortOptionWaitsForADeviceThatComesLater) {
    testsupport::TempDir prefs;
    testsupport::PtyPair other;
    const std::filesystem::path link = prefs.path() / "interface";
    int port = testsupport::freePort();
    Program program;
    program.start(prefs, other.devicePath(), port, {},
                  {"--serial-port", QString::fromStdString(link)});
    ASSERT_TRUE(program.waitForLine("in a browser")) << program.output;
    EXPECT_NE(program.output.find("StaticText1: Waiting for the DMX interface on " + link.string()),
              std::string::npos)
        << program.output;
    EXPECT_EQ(program.output.find("No DMX interface port"), std::string::npos);
    httpGet(port, "/dmx?cmd=5%40D77");

    testsupport::PtyPair interface;
    std::filesystem::create_symlink(interface.devicePath(), link);
    const std::string frame = interface.readExactly(518);
    ASSERT_EQ(frame.size(), 518u);
    EXPECT_EQ(static_cast<uint8_t>(frame[4 + 5]), 77);
    EXPECT_EQ(other.readFor(50), "");
    program.stop();
}

// Every event prints, so an interface lost twice is two lines; a state prints only what it says
// anew, so the same client after the interface's lines prints nothing more.
TEST(HeadlessProgram, EachLossOfTheInterfacePrintsAndTheSameClientOnlyOnce) {
    testsupport::TempDir prefs;
    testsupport::PtyPair other;
    const std::filesystem::path link = prefs.path() / "interface";
    std::vector<std::unique_ptr<testsupport::PtyPair>> interfaces;
    const auto plugIn = [&] {
        interfaces.push_back(std::make_unique<testsupport::PtyPair>());
        std::filesystem::create_symlink(interfaces.back()->devicePath(), prefs.path() / "new");
        std::filesystem::rename(prefs.path() / "new", link);
    };
    int port = testsupport::freePort();
    Program program;
    program.start(prefs, other.devicePath(), port, {},
                  {"--serial-port", QString::fromStdString(link)});
    ASSERT_TRUE(program.waitForLine("in a browser")) << program.output;
    // Plugged in after the start, so the program holds no copy of the interface's side.
    plugIn();
    ASSERT_EQ(interfaces.back()->readExactly(518).size(), 518u);
    const std::string lost = "StaticText1: DMX interface on " + link.string() +
                             " lost: the console goes on and waits for it\n";
    for (size_t loss = 1; loss <= 2; ++loss) {
        httpGet(port, "/dmx?cmd=" + std::to_string(loss) + "%4050");
        interfaces.back()->closeMaster();
        ASSERT_TRUE(program.waitForLine(lost, 5000, loss)) << program.output;
        plugIn();
        ASSERT_EQ(interfaces.back()->readExactly(518).size(), 518u);
    }
    httpGet(port, "/dmx?cmd=3%4050");
    ASSERT_TRUE(program.waitForLine("127.0.0.1: 3@50 -> 3 @ 50\n")) << program.output;
    EXPECT_EQ(testsupport::occurrences(program.output, "StaticText1: Connected to: 127.0.0.1\n"),
              1u)
        << program.output;
    program.stop();
}

TEST(HeadlessProgram, StartWithoutAUsablePortSaysWhatToDo) {
    testsupport::TempDir prefs;
    Program program;
    program.start(prefs, "/dev/brannic-no-such-port", testsupport::freePort());
    ASSERT_TRUE(program.waitForLine("in a browser")) << program.output;
    EXPECT_NE(program.output.find("--serial-port PATH"), std::string::npos) << program.output;
    EXPECT_NE(program.output.find("line 2 of " + (prefs.path() / "Tolvex.config").string()),
              std::string::npos);
    program.stop();
}

TEST(HeadlessProgram, BadArgumentsExitWithStatusTwo) {
    QProcess process;
    process.start(BRANNIC_PROGRAM, {"--port", "eighty"});
    ASSERT_TRUE(process.waitForFinished(5000));
    EXPECT_EQ(process.exitCode(), 2);
    EXPECT_NE(process.readAllStandardError().indexOf("eighty"), -1);
}

// Held to 64 descriptors, with more silent clients than it can hold: a command is still answered
// at once and the program does not spin.
TEST(HeadlessProgram, AtItsDescriptorLimitStillAnswersWithoutSpinning) {
#ifdef __SANITIZE_ADDRESS__
    // The sanitizers' own checks open pipes; with no descriptor left they report live objects as
    // invalid.
    GTEST_SKIP() << "needs spare descriptors under the sanitizers";
#endif
    testsupport::TempDir prefs;
    testsupport::PtyPair pty;
    int port = testsupport::freePort();
    Program program;
    program.start(prefs, pty.devicePath(), port, {"prlimit", "--nofile=64"});
    ASSERT_TRUE(program.waitForLine("in a browser")) << program.output;
    std::vector<std::unique_ptr<QTcpSocket>> crowd;
    for (int i = 0; i < 100; ++i) {
        crowd.push_back(std::make_unique<QTcpSocket>());
        crowd.back()->connectToHost("127.0.0.1", static_cast<quint16>(port));
        ASSERT_TRUE(crowd.back()->waitForConnected(3000)) << i;
    }
    QElapsedTimer answering;
    answering.start();
    EXPECT_EQ(httpGet(port, "/dmx?cmd=7%4070").rfind("HTTP/1.0 200 OK\r\n\r\n", 0), 0u);
    EXPECT_LT(answering.elapsed(), 2000);
    long before = testsupport::cpuTicks(pid_t(program.process.processId()));
    QThread::msleep(1000);
    EXPECT_LT(testsupport::cpuTicks(pid_t(program.process.processId())) - before,
              sysconf(_SC_CLK_TCK) / 10);
    program.stop();
}

// OSC from liblo's own oscsend reaches the frame on the interface, a level as a channel's percent
// and a command line as typed.
class OscProgram : public ::testing::Test {
  protected:
    void SetUp() override {
        if (std::string(BRANNIC_OSCSEND).empty()) GTEST_SKIP() << "oscsend (liblo-tools) missing";
    }
    void start(QStringList options = {}) {
        // The show file, when there is one, in the test's own folder.
        program.start(prefs, pty.devicePath(), port, {},
                      QStringList{"--osc", QString::number(oscPort), "--app-dir",
                                  QString::fromStdString(prefs.path())} +
                          options);
        ASSERT_TRUE(program.waitForLine("Output: OSC udp port " + std::to_string(oscPort) +
                                        ": listening\n"))
            << program.output;
    }
    void oscsend(const QStringList& message) {
        QStringList arguments{"osc.udp://127.0.0.1:" + QString::number(oscPort)};
        EXPECT_EQ(QProcess::execute(BRANNIC_OSCSEND, arguments + message), 0);
    }
    uint8_t level(const std::string& frame, int channel) { return uint8_t(frame.at(4 + channel)); }

    testsupport::TempDir prefs;
    testsupport::PtyPair pty;
    int port = testsupport::freePort();
    int oscPort = testsupport::freePort();
    Program program;
};

TEST_F(OscProgram, OscsendLevelsAndCommandLinesReachTheFrame) {
    start();
    oscsend({"/brannic/chan/5", "f", "50"});
    std::string frame = pty.readExactly(518);
    ASSERT_EQ(frame.size(), 518u);
    EXPECT_EQ(level(frame, 5), 127);
    oscsend({"/brannic/cmd", "s", "1/3@50"});
    frame = pty.readExactly(518);
    ASSERT_EQ(frame.size(), 518u);
    EXPECT_EQ(level(frame, 3), 127);
    EXPECT_EQ(level(frame, 5), 127);
    EXPECT_TRUE(
        program.waitForLine("OSC 127.0.0.1: 5@D127 -> 5 @ D127\n"
                            "OSC 127.0.0.1: 1/3@50 -> 1 2 3 @ 50\n"))
        << program.output;
    program.stop();
}

// With show control on, the show addresses run as the typed show commands.
TEST_F(OscProgram, ShowAddressesDriveTheShow) {
    start({"--show"});
    oscsend({"/brannic/cmd", "s", "1@100"});
    oscsend({"/brannic/gm", "i", "50"});
    // After the start's frame, a frame not yet written gives way to a newer one: the last frame
    // counts.
    std::string frames;
    EXPECT_TRUE(testsupport::waitUntil([&] {
        frames += pty.readNow();
        return frames.size() >= 518 && frames.size() % 518 == 0 &&
               level(frames.substr(frames.size() - 518), 1) == 128;
    })) << frames.size();
    EXPECT_TRUE(program.waitForLine("OSC 127.0.0.1: gm 50 -> grand master 50%\n"))
        << program.output;
    program.stop();
}

TEST_F(OscProgram, ASenderNotAllowedChangesNothing) {
    start({"--osc-allow", "127.0.0.2"});
    oscsend({"/brannic/chan/5", "f", "50"});
    // Two commands over HTTP after it: by the second, the datagram has long been read.
    for (const char* command : {"9%4050", "10%4050"}) {
        EXPECT_EQ(httpGet(port, std::string("/dmx?cmd=") + command).rfind("HTTP/1.0 200 OK", 0),
                  0u);
    }
    const std::string frames = pty.readExactly(2 * 518);
    ASSERT_EQ(frames.size(), 2 * 518u);
    EXPECT_EQ(level(frames.substr(518), 10), 127);
    EXPECT_EQ(level(frames.substr(518), 5), 0);
    EXPECT_EQ(program.output.find("OSC 127.0.0.1"), std::string::npos) << program.output;
    program.stop();
}

// With show control: a recorded cue fades in on the interface's frames over its time, ends exactly
// at its levels and leaves the clock still; the master and blackout scale the frames but not the
// levels the console holds.
TEST(HeadlessProgram, ShowFadesCuesAndScalesOnlyTheOutputs) {
    testsupport::TempDir prefs;
    testsupport::PtyPair pty;
    int port = testsupport::freePort();
    Program program;
    // Its own folder for the show file, which it writes.
    program.start(prefs, pty.devicePath(), port, {},
                  {"--show", "--app-dir", QString::fromStdString(prefs.path())});
    ASSERT_TRUE(program.waitForLine("in a browser")) << program.output;
    auto run = [&](const std::string& query) {
        EXPECT_EQ(httpGet(port, "/dmx?cmd=" + query).rfind("HTTP/1.0 200 OK", 0), 0u) << query;
        return pty.readExactly(518);
    };
    for (const char* query : {"1/5%400", "rec+1+time+0", "1/5%40100", "rec+2+time+1", "goto+1"})
        run(query);
    EXPECT_EQ(frameLevel(run("go"), 3), 0);

    QElapsedTimer fading;
    fading.start();
    std::vector<int> rising;
    qint64 endedMs = -1;
    while (endedMs < 0 && fading.elapsed() < 3000) {
        std::string frame = pty.readExactly(518, 500);
        if (frame.size() < 518) break;
        rising.push_back(frameLevel(frame, 3));
        if (rising.back() == 255) endedMs = fading.elapsed();
    }
    EXPECT_GT(endedMs, 800);
    EXPECT_LT(endedMs, 1600);
    EXPECT_GE(rising.size(), 25u) << "one frame each 23 ms";
    EXPECT_TRUE(std::is_sorted(rising.begin(), rising.end()));
    EXPECT_EQ(pty.readFor(300), "") << "the fade clock stops with the fade";
    EXPECT_TRUE(
        program.waitForLine("go -> go: cue 2, 1/1 s\nlblCue: fading to cue 2\nlblCue: cue 2\n"))
        << program.output;

    EXPECT_EQ(frameLevel(run("gm+50"), 3), 128);
    std::string levels = httpGet(port, "/levels");
    EXPECT_NE(levels.find("\"levels\":[255,255,255,255,255,0"), std::string::npos) << levels;
    EXPECT_NE(levels.find("\"master\":50,\"blackout\":false"), std::string::npos) << levels;
    EXPECT_EQ(frameLevel(run("bo+on"), 3), 0);
    EXPECT_TRUE(program.waitForLine("bo on -> blackout ON\nlblMaster: BLACKOUT, master 50%\n"))
        << program.output;
    program.stop();
}

// A phone on a show of 5,000 cues: a changed list comes once, whole, to a reader that keeps up,
// and through a fade every event is small and the stream stays open to the fade's end.
TEST(HeadlessProgram, AReaderFollowsAFiveThousandCueShowThroughAFade) {
    testsupport::TempDir folder;
    testsupport::writeLongShow(folder.path() / "default.shw", 5000);
    testsupport::PtyPair pty;
    int port = testsupport::freePort();
    Program program;
    program.start(folder, pty.devicePath(), port, {},
                  {"--show", "--app-dir", QString::fromStdString(folder.path())});
    ASSERT_TRUE(program.waitForLine("in a browser")) << program.output;
    testsupport::EventStreamReader reader(port);
    httpGet(port, "/dmx?cmd=cue+5000+label+Finale");
    httpGet(port, "/dmx?cmd=go");

    std::vector<testsupport::StreamEvent> events;
    QElapsedTimer following;
    following.start();
    auto fadeEnded = [&] {
        const std::string& last = events.back().text;
        return events.back().name == "show" && last.find("\"cue\":1,") != std::string::npos &&
               last.find("\"fading\":false") != std::string::npos;
    };
    while (events.size() < 1000 && following.elapsed() < 10000) {
        std::optional<testsupport::StreamEvent> event = reader.next(3000);
        if (!event) break;
        events.push_back(*event);
        if (fadeEnded()) break;
    }
    ASSERT_FALSE(reader.ended()) << events.size() << " events before the stream ended";
    ASSERT_TRUE(!events.empty() && fadeEnded()) << events.size() << " events";
    size_t lists = 0, fadeSteps = 0;
    for (const testsupport::StreamEvent& event : events) {
        if (event.name == "cues") {
            ++lists;
            EXPECT_NE(event.text.find("\"label\":\"Finale\""), std::string::npos);
            EXPECT_GT(event.text.size(), 5000 * 40u);
        } else {
            EXPECT_LT(event.text.size(), 1024u) << event.text.substr(0, 200);
            if (event.text.find("\"fading\":true") != std::string::npos) ++fadeSteps;
        }
    }
    EXPECT_EQ(lists, 1u);
    EXPECT_GE(fadeSteps, 3u);
    program.stop();
}

// With show control the stage survives kill -9: the look is in the show file within a second,
// and the first frame after the restart carries it before any request. The show file is given as
// the service gives it.
TEST(HeadlessProgram, ShowLookComesBackAfterKillNine) {
    testsupport::TempDir folder;
    const std::filesystem::path showFile = folder.path() / "stage.shw";
    const QStringList options = {"--show", "--show-file", QString::fromStdString(showFile)};
    testsupport::PtyPair before, after;
    int port = testsupport::freePort();
    Program first;
    first.start(folder, before.devicePath(), port, {}, options);
    ASSERT_TRUE(first.waitForLine("in a browser")) << first.output;
    for (const char* query : {"1/5%4050", "rec+1+time+0", "goto+1", "gm+80"})
        httpGet(port, std::string("/dmx?cmd=") + query);
    QElapsedTimer saving;
    saving.start();
    ASSERT_TRUE(testsupport::waitUntil([&] {
        std::ifstream file(showFile);
        std::string text((std::istreambuf_iterator<char>(file)), {});
        return text.find("[look,1,80,0,1:7f7f7f7f7f]") != std::string::npos;
    }));
    EXPECT_LT(saving.elapsed(), 1000) << first.output;
    first.process.kill();
    ASSERT_TRUE(first.process.waitForFinished(3000));

    Program second;
    second.start(folder, after.devicePath(), port, {}, options);
    // Channels 1 to 5 at 127 under the master's 80%.
    const std::string frame = after.readExactly(518);
    ASSERT_EQ(frame.size(), 518u);
    EXPECT_EQ(frame.substr(5, 6), std::string(5, '\x66') + '\0');
    ASSERT_TRUE(second.waitForLine("in a browser")) << second.output;
    EXPECT_NE(httpGet(port, "/levels").find("\"cue\":1,"), std::string::npos);
    second.stop();
}

// A fade cut by SIGTERM goes on after the restart: the show file keeps the look of the moment of
// the quit and what was left of the fade; the first frame after the restart is that look, and the
// fade goes on from it to its cue without a jump.
TEST(HeadlessProgram, AFadeCutByAQuitGoesOnAfterTheRestart) {
    testsupport::TempDir folder;
    const std::filesystem::path showFile = folder.path() / "stage.shw";
    const QStringList options = {"--show", "--show-file", QString::fromStdString(showFile)};
    testsupport::PtyPair before, after;
    const int port = testsupport::freePort();
    Program first;
    first.start(folder, before.devicePath(), port, {}, options);
    ASSERT_TRUE(first.waitForLine("in a browser")) << first.output;
    for (const char* query :
         {"2%40100", "rec+2+time+4", "2%400", "1%40100", "rec+1+time+0", "goto+1", "go"}) {
        httpGet(port, std::string("/dmx?cmd=") + query);
        before.readExactly(518);
    }
    std::string frame(518, '\0');
    for (int frames = 0; frames < 200 && frameLevel(frame, 2) < 32; ++frames)
        ASSERT_EQ((frame = before.readExactly(518, 500)).size(), 518u);
    first.stop();
    std::ifstream file(showFile);
    const std::string text((std::istreambuf_iterator<char>(file)), {});
    const size_t look = text.find("[look,2,100,0,1:");
    ASSERT_NE(look, std::string::npos) << text;
    const int kept = std::stoi(text.substr(look + 16, 4), nullptr, 16);
    EXPECT_GE(kept & 0xff, frameLevel(frame, 2)) << "the look of the moment of the quit";
    EXPECT_NE(text.find(",2:ff]\n[cue,1,"), std::string::npos) << text;

    Program second;
    second.start(folder, after.devicePath(), port, {}, options);
    frame = after.readExactly(518);
    ASSERT_EQ(frame.size(), 518u);
    EXPECT_EQ(frameLevel(frame, 1) << 8 | frameLevel(frame, 2), kept) << "the kept look first";
    std::vector<int> rising{kept & 0xff};
    ASSERT_TRUE(second.waitForLine("in a browser")) << second.output;
    EXPECT_NE(httpGet(port, "/levels").find("\"cue\":2,\"next\":null,\"fading\":true"),
              std::string::npos);
    while (rising.back() < 255 && rising.size() < 300 &&
           (frame = after.readExactly(518, 500)).size() == 518)
        rising.push_back(frameLevel(frame, 2));
    EXPECT_EQ(rising.back(), 255);
    EXPECT_TRUE(std::is_sorted(rising.begin(), rising.end())) << "no jump";
    second.stop();
}

// A show that cannot be saved says so in /levels and in a line's result, from the start; once the
// file can be written the next save clears it. The file's folder is a plain file at first, which
// stops root too.
TEST(HeadlessProgram, UnsavedShowSaysSoUntilASaveSucceeds) {
    testsupport::TempDir folder;
    const std::filesystem::path blocker = folder.path() / "shows";
    std::ofstream(blocker) << "not a folder\n";
    testsupport::PtyPair pty;
    const int port = testsupport::freePort();
    Program program;
    program.start(folder, pty.devicePath(), port, {},
                  {"--show", "--show-file", QString::fromStdString(blocker / "stage.shw")});
    ASSERT_TRUE(program.waitForLine("in a browser")) << program.output;
    const std::string unsaved = "\"saved\":false,\"unsaved\":\"could not create " +
                                (blocker / "stage.shw").string() + ": Not a directory\"";
    EXPECT_NE(httpGet(port, "/levels").find(unsaved), std::string::npos)
        << httpGet(port, "/levels");
    const std::string recorded = httpGet(port, "/dmx?cmd=rec+2");
    EXPECT_NE(recorded.find("cue 2 recorded, 3/3 s; NOT SAVED: could not create "),
              std::string::npos)
        << recorded;
    EXPECT_NE(httpGet(port, "/dmx?cmd=1@50").find("NOT SAVED"), std::string::npos);

    std::filesystem::remove(blocker);
    std::filesystem::create_directory(blocker);
    EXPECT_TRUE(testsupport::waitUntil([&] {
        return httpGet(port, "/levels").find("\"saved\":true,") != std::string::npos;
    })) << httpGet(port, "/levels");
    std::ifstream file(blocker / "stage.shw");
    EXPECT_NE(std::string(std::istreambuf_iterator<char>(file), {}).find("\n[cue,2,"),
              std::string::npos);
    EXPECT_EQ(httpGet(port, "/dmx?cmd=1@60").find("NOT SAVED"), std::string::npos);
    program.stop();
}

// A damaged show file is kept beside it under a new name; the status line names the file and its
// first bad line.
TEST(HeadlessProgram, DamagedShowFileIsKeptAside) {
    testsupport::TempDir folder;
    const std::string damaged = "[brannic-show,1]\n[look,none,100,0,1:ff]\n[cue,1,3,3,\n";
    std::ofstream(folder.path() / "default.shw") << damaged;
    testsupport::PtyPair pty;
    Program program;
    program.start(folder, pty.devicePath(), testsupport::freePort(), {},
                  {"--show", "--app-dir", QString::fromStdString(folder.path())});
    ASSERT_TRUE(
        program.waitForLine("StaticText1: Show file default.shw is damaged at line 3, kept "
                            "as default.shw.damaged-"))
        << program.output;
    ASSERT_TRUE(program.waitForLine("; 0 cues and the look are loaded\n")) << program.output;
    int kept = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder.path())) {
        if (entry.path().filename().string().starts_with("default.shw.damaged-")) {
            ++kept;
            std::ifstream file(entry.path());
            EXPECT_EQ(std::string(std::istreambuf_iterator<char>(file), {}), damaged);
        }
    }
    EXPECT_EQ(kept, 1);
    EXPECT_EQ(static_cast<uint8_t>(pty.readExactly(518)[5]), 255) << "the good lines load";
    program.stop();
}

// With show control on, /library?q=WORDS searches the fixture library (a folder given with
// --fixtures, the installed one stood in for by an empty folder) and runs no command; a damaged
// definition is named once on the status line. With it off, the same request is a command.
TEST(HeadlessProgram, LibraryPageSearchesWithShowControlAndIsACommandWithout) {
    testsupport::TempDir prefs, fixtureFolder, emptyFolder;
    std::ofstream(fixtureFolder.path() / "Acme-SlimTest.qxf")
        << "<FixtureDefinition><Manufacturer>Acme</Manufacturer><Model>SlimTest</Model>"
           "<Type>Dimmer</Type><Channel Name=\"D\" Preset=\"IntensityDimmer\"/><Mode Name=\"1 "
           "Channel\"><Channel Number=\"0\">D</Channel></Mode></FixtureDefinition>";
    std::ofstream(fixtureFolder.path() / "Acme-Broken.qxf") << "<FixtureDefinition><Model>Bro";
    const QStringList environment = {
        "env", QString::fromStdString("HOME=" + prefs.path().string()),
        QString::fromStdString("BRANNIC_FIXTURES_SYSTEM_DIR=" + emptyFolder.path().string())};
    const QStringList fixtures = {"--fixtures", QString::fromStdString(fixtureFolder.path())};
    testsupport::PtyPair pty;
    for (bool show : {true, false}) {
        int port = testsupport::freePort();
        Program program;
        program.start(prefs, pty.devicePath(), port, environment,
                      show ? fixtures + QStringList{"--show", "--app-dir",
                                                    QString::fromStdString(prefs.path())}
                           : fixtures);
        ASSERT_TRUE(program.waitForLine("in a browser")) << program.output;
        const std::string reply = httpGet(port, "/library?q=sLiM+acme");
        // A command after it: by its line, the request's own lines are out.
        httpGet(port, "/dmx?cmd=7%4050");
        EXPECT_TRUE(program.waitForLine("127.0.0.1: 7@50 -> 7 @ 50\n")) << program.output;
        if (show) {
            EXPECT_EQ(reply,
                      "HTTP/1.0 200 OK\r\nContent-Type: application/json\r\nCache-Control: "
                      "no-store\r\n\r\n{\"total\":1,\"results\":[{\"manufacturer\":\"Acme\","
                      "\"model\":\"SlimTest\",\"type\":\"Dimmer\",\"modes\":[{\"name\":\"1 "
                      "Channel\",\"channels\":1}]}]}");
            EXPECT_EQ(program.output.find("sLiM"), std::string::npos) << program.output;
            EXPECT_EQ(testsupport::occurrences(program.output, "Acme-Broken.qxf"), 1u)
                << program.output;
        } else {
            EXPECT_EQ(reply.rfind("HTTP/1.0 200 OK\r\n\r\n", 0), 0u) << reply;
            EXPECT_NE(program.output.find("127.0.0.1: sLiM+acme ->"), std::string::npos)
                << program.output;
        }
        program.stop();
    }
}
