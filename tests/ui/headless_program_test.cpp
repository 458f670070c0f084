// The program as a stage machine runs it: headless, from the command line, driven over HTTP, with a
// pseudo-terminal as the DMX interface.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QProcess>
#include <QTcpSocket>
#include <fstream>

#include "support/free_port.h"
#include "support/pty_pair.h"
#include "support/temp_dir.h"

namespace {

// One GET on a new connection, as a browser sends a form; the whole reply.
std::string httpGet(int port, const std::string& target) {
    QTcpSocket socket;
    socket.connectToHost("127.0.0.1", static_cast<quint16>(port));
    if (!socket.waitForConnected(3000)) return {};
    socket.write(QByteArray::fromStdString("GET " + target + " HTTP/1.1\r\nHost: stage\r\n\r\n"));
    QByteArray reply;
    while (socket.waitForReadyRead(3000)) reply += socket.readAll();
    return reply.toStdString();
}

struct Program {
    QProcess process;
    std::string output;

    bool waitForLine(const std::string& text, int timeoutMs = 5000) {
        QElapsedTimer timer;
        timer.start();
        while (output.find(text) == std::string::npos && timer.elapsed() < timeoutMs) {
            process.waitForReadyRead(50);
            output += process.readAllStandardOutput().toStdString();
        }
        return output.find(text) != std::string::npos;
    }
};

}  // namespace

TEST(HeadlessProgram, ServesCommandsSendsFramesAndStopsOnSigterm) {
    testsupport::TempDir prefs;
    testsupport::PtyPair pty;
    std::ofstream(prefs.path() / "Tolvex.config")
        << "default.shw\n0\n80\nenableWAN=false\nrequireLogin=false\nstartMinimized=false\n\n\n";
    int port = testsupport::freePort();

    Program program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("BRANNIC_SERIAL_PORTS", QString::fromStdString(pty.devicePath()));
    environment.remove("QT_QPA_PLATFORM");
    environment.remove("DISPLAY");
    program.process.setProcessEnvironment(environment);
    program.process.start(BRANNIC_PROGRAM,
                          {"--headless", "--port", QString::number(port), "--prefs-dir",
                           QString::fromStdString(prefs.path().string())});
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
    EXPECT_TRUE(program.waitForLine("lblResults:  504 @ 184")) << program.output;
    EXPECT_NE(program.output.find("lblQuery: 34@25"), std::string::npos);

    QElapsedTimer stopping;
    stopping.start();
    program.process.terminate();
    ASSERT_TRUE(program.process.waitForFinished(3000));
    EXPECT_LT(stopping.elapsed(), 1000);
    EXPECT_EQ(program.process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.process.exitCode(), 0);
}

TEST(HeadlessProgram, BadArgumentsExitWithStatusTwo) {
    QProcess process;
    process.start(BRANNIC_PROGRAM, {"--port", "eighty"});
    ASSERT_TRUE(process.waitForFinished(5000));
    EXPECT_EQ(process.exitCode(), 2);
    EXPECT_NE(process.readAllStandardError().indexOf("eighty"), -1);
}
