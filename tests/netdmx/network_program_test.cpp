// The program sends the levels as sACN and Art-Net to 127.0.0.1, driven over HTTP like a stage
// machine, and the packets are read back by tshark.
#include <gtest/gtest.h>

#include <QProcess>
#include <fstream>
#include <memory>
#include <sstream>

#include "netdmx/udp_capture.h"
#include "server/loopback_client.h"
#include "support/headless_program.h"
#include "support/loopback.h"
#include "support/pty_pair.h"
#include "support/temp_dir.h"

namespace {

using testsupport::Datagram;
using testsupport::UdpCapture;

constexpr uint16_t sacnPort = 5568;
constexpr uint16_t artnetPort = 6454;

struct Program : testsupport::HeadlessProgram {
    testsupport::TempDir prefs;
    testsupport::PtyPair pty;
    int32_t port = testsupport::freePort();

    void start(const QStringList& network) {
        HeadlessProgram::start(prefs.path(), pty.devicePath(), port, {}, network);
    }

    // Sends the command line as the form does; the caller waits for its effect.
    std::unique_ptr<testsupport::LoopbackClient> command(const std::string& line) {
        auto client = std::make_unique<testsupport::LoopbackClient>(port);
        client->send("GET /dmx?cmd=" + line + " HTTP/1.1\r\nHost: stage\r\n\r\n");
        return client;
    }
};

std::string storedCid(const std::filesystem::path& prefs) {
    std::ifstream file(prefs / "brannic-webserver.conf");
    for (std::string line; std::getline(file, line);) {
        if (line.rfind("sacn.cid=", 0) == 0) return line.substr(9);
    }
    return {};
}

// Each packet's sequence is one more than the one before it, wrapping as the protocol does.
void expectSequenceStepsByOne(const std::vector<std::vector<std::string>>& rows, size_t column,
                              int afterMax, int wrapTo) {
    for (size_t i = 1; i < rows.size(); ++i) {
        int before = std::stoi(rows[i - 1][column]), now = std::stoi(rows[i][column]);
        EXPECT_EQ(now, before == afterMax ? wrapTo : before + 1) << "packet " << i;
    }
}

// The largest gap between packets received from the index on.
int64_t longestGap(const std::vector<Datagram>& datagrams, size_t from) {
    int64_t longest = 0;
    for (size_t i = from + 1; i < datagrams.size(); ++i)
        longest = std::max(longest, datagrams[i].receivedMs - datagrams[i - 1].receivedMs);
    return longest;
}

TEST(NetworkOutput, LevelsKeepAliveSequenceAndTerminationOnTheWire) {
    UdpCapture sacn(sacnPort), artnet(artnetPort);
    if (!sacn.ready() || !artnet.ready()) GTEST_SKIP() << "the sACN or Art-Net port is taken";
    Program program;
    program.start({"--sacn", "7", "--sacn-to", "127.0.0.1", "--sacn-priority", "150", "--artnet",
                   "300", "--artnet-to", "127.0.0.1"});
    ASSERT_TRUE(program.waitForLine("Output: sACN universe 7 -> 127.0.0.1: sending"))
        << program.output;
    ASSERT_TRUE(program.waitForLine("Output: Art-Net port-address 300 -> 127.0.0.1: sending"));

    testsupport::receiveFor({&sacn, &artnet}, 100);
    auto client = program.command("1/5@D200");
    auto levelsArrived = [&] {
        return !sacn.datagrams.empty() && sacn.datagrams.back().bytes.size() > 130 &&
               sacn.datagrams.back().bytes[126] == 200;
    };
    testsupport::receiveFor({&sacn, &artnet}, 2000, levelsArrived);
    ASSERT_TRUE(levelsArrived());
    size_t afterCommand = sacn.datagrams.size() - 1;
    testsupport::receiveFor({&sacn, &artnet}, 3000);  // idle
    size_t beforeQuit = sacn.datagrams.size();
    program.process.terminate();
    ASSERT_TRUE(program.process.waitForFinished(3000));
    EXPECT_EQ(program.process.exitCode(), 0);
    testsupport::receiveFor({&sacn, &artnet}, 300);

    // Idle, the universe is sent again well before a receiver's 2.5 s timeout: three or more
    // keep-alives in 3 s, none more than a second apart.
    EXPECT_GE(beforeQuit - afterCommand, 3u);
    EXPECT_LT(longestGap(sacn.datagrams, afterCommand), 1000);
    EXPECT_LT(longestGap(artnet.datagrams, artnet.datagrams.size() - (beforeQuit - afterCommand)),
              1000);

    auto rows = testsupport::tsharkFields(
        sacn.datagrams, sacnPort,
        {"acn.packet_identifier", "acn.cid", "acn.dmx.source_name", "acn.dmx.priority",
         "acn.dmx.seq_number", "acn.dmx.option_s", "acn.dmx.universe", "acn.dmx.start_code2",
         "acn.dmx.count", "acn.dmx.first_property_address", "acn.dmx.increment"});
    ASSERT_EQ(rows.size(), sacn.datagrams.size());
    ASSERT_GE(rows.size(), 3u + 3u);
    for (size_t i = 0; i < rows.size(); ++i) {
        const auto& row = rows[i];
        SCOPED_TRACE("sACN packet " + std::to_string(i));
        EXPECT_EQ(row[0], "ASC-E1.17");
        EXPECT_EQ(row[1], storedCid(program.prefs.path()));
        EXPECT_EQ(row[2].rfind("Brannic Webserver on ", 0), 0u) << row[2];
        EXPECT_EQ(row[3], "150");
        bool lastThree = i + 3 >= rows.size();
        EXPECT_EQ(row[5], lastThree ? "1" : "0");
        EXPECT_EQ(row[6], "7");
        EXPECT_EQ(row[7], "0");
        EXPECT_EQ(row[8], "513");
        EXPECT_EQ(row[9], "0");
        EXPECT_EQ(row[10], "1");
        EXPECT_EQ(sacn.datagrams[i].bytes.size(), 126u + 512u);
    }
    expectSequenceStepsByOne(rows, 4, 255, 0);
    // The stream ends with the levels it had: channels 1 to 5 at 200, 6 at 0.
    const std::vector<uint8_t>& last = sacn.datagrams.back().bytes;
    EXPECT_EQ(std::vector<uint8_t>(last.begin() + 126, last.begin() + 132),
              (std::vector<uint8_t>{200, 200, 200, 200, 200, 0}));

    auto art = testsupport::tsharkFields(
        artnet.datagrams, artnetPort,
        {"artnet.header.id", "artnet.header.opcode", "artnet.header.protver",
         "artnet.output.sequence", "artnet.output.physical", "artnet.output.universe",
         "artnet.output.length"});
    ASSERT_EQ(art.size(), artnet.datagrams.size());
    ASSERT_GE(art.size(), 3u);
    for (size_t i = 0; i < art.size(); ++i) {
        SCOPED_TRACE("Art-Net packet " + std::to_string(i));
        EXPECT_EQ(art[i][0], "Art-Net");
        EXPECT_EQ(art[i][1], "0x5000");
        EXPECT_EQ(art[i][2], "14");
        EXPECT_NE(art[i][3], "0");
        EXPECT_EQ(art[i][4], "0");
        EXPECT_EQ(art[i][5], "300");
        EXPECT_EQ(art[i][6], "512");
        EXPECT_EQ(artnet.datagrams[i].bytes.size(), 18u + 512u);
    }
    expectSequenceStepsByOne(art, 3, 255, 1);
    EXPECT_EQ(artnet.datagrams.back().bytes[18 + 4], 200);
    EXPECT_EQ(artnet.datagrams.back().bytes[18 + 5], 0);
}

TEST(NetworkOutput, BadValuesOnTheCommandLineExitWithStatusTwo) {
    for (QStringList arguments :
         {QStringList{"--sacn", "0"}, QStringList{"--sacn", "64000"},
          QStringList{"--sacn-priority", "201"}, QStringList{"--artnet", "32768"},
          QStringList{"--sacn", "1", "--sacn-to", "no-such-host.invalid"}}) {
        std::string badValue = arguments.back().toStdString();
        QProcess process;
        process.start(BRANNIC_PROGRAM, arguments << "--headless");
        ASSERT_TRUE(process.waitForFinished(10000));
        std::string error = process.readAllStandardError().toStdString();
        EXPECT_EQ(process.exitCode(), 2) << arguments.join(' ').toStdString();
        EXPECT_NE(error.find("\"" + badValue + "\""), std::string::npos) << error;
    }
}

}  // namespace
