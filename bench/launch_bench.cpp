// Starts the headless program the way a stage machine does and measures, on loopback:
//   - the time from launch to the first answered command request;
//   - the resident memory after start-up and after 1,000 and 10,000 commands.
// Usage: launch_bench [runs]  (default 20 launches for the time figure)
#include <fcntl.h>
#include <netinet/in.h>
#include <stdlib.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QCoreApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "support/headless_program.h"
#include "support/loopback.h"

namespace {

using Clock = std::chrono::steady_clock;
using testsupport::freePort;

// One command request on a new connection; true when a reply came back.
bool command(int port, const std::string& query) {
    int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address = testsupport::loopbackAddress(port);
    bool answered = false;
    if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) {
        std::string request = "GET /dmx?cmd=" + query + " HTTP/1.1\r\nHost: bench\r\n\r\n";
        send(fd, request.data(), request.size(), MSG_NOSIGNAL);
        char buffer[8192];
        ssize_t got;
        while ((got = recv(fd, buffer, sizeof buffer, 0)) > 0) answered = true;
    }
    close(fd);
    return answered;
}

long residentKiB(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
    }
    return -1;
}

// The program with its standard output dropped; the interface is a pseudo-terminal whose frames a
// thread reads and drops.
struct Program {
    int master = -1;
    testsupport::HeadlessProgram program;
    std::thread drain;

    Program(int port, const std::filesystem::path& prefs) {
        master = posix_openpt(O_RDWR | O_NOCTTY);
        grantpt(master);
        unlockpt(master);
        program.process.setStandardOutputFile(QProcess::nullDevice());
        program.start(prefs, ptsname(master), port);
        program.process.waitForStarted();
        drain = std::thread([this] {
            char buffer[4096];
            while (read(master, buffer, sizeof buffer) > 0) {
            }
        });
    }

    pid_t pid() const { return static_cast<pid_t>(program.process.processId()); }

    // The program's end hangs up the terminal, which ends the drain.
    ~Program() {
        program.process.terminate();
        program.process.waitForFinished();
        drain.join();
        close(master);
    }
};

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    int runs = argc > 1 ? std::atoi(argv[1]) : 20;
    std::filesystem::path prefs = std::filesystem::temp_directory_path() / "brannic-launch-bench";
    std::filesystem::create_directories(prefs);

    std::vector<double> firstAnswerMs;
    for (int run = 0; run < runs; ++run) {
        int port = freePort();
        auto launched = Clock::now();
        Program program(port, prefs);
        while (!command(port, "1%4050"))
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        firstAnswerMs.push_back(
            std::chrono::duration<double, std::milli>(Clock::now() - launched).count());
    }
    std::sort(firstAnswerMs.begin(), firstAnswerMs.end());
    std::printf(
        "launch to first answered command: median %.1f ms, best %.1f ms, worst %.1f ms (%d "
        "launches)\n",
        firstAnswerMs[firstAnswerMs.size() / 2], firstAnswerMs.front(), firstAnswerMs.back(), runs);

    int port = freePort();
    Program program(port, prefs);
    while (!command(port, "1%4050")) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    std::printf("resident after start-up: %ld KiB\n", residentKiB(program.pid()));
    const char* lines[] = {"1/5+8+11%4075", "34%4025", "1/512%4050", "504%40D184", "%4030"};
    for (int i = 1; i <= 10000; ++i) {
        command(port, lines[i % 5]);
        if (i == 1000 || i == 10000)
            std::printf("resident after %d commands: %ld KiB\n", i, residentKiB(program.pid()));
    }
    std::filesystem::remove_all(prefs);
    return 0;
}
