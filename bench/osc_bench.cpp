// The headless program driven over OSC on loopback, with a pseudo-terminal as the DMX interface:
//   - OSC message to DMX frame on the terminal, p50/p99 of 1,000 (one message in flight);
//   - messages a second taken during a flood from one liblo sender (bounded in count and time),
//     while an HTTP client paced at 100 requests a second measures its p99;
//   - resident memory before and after the flood.
// Usage: osc_bench [flood seconds]  (default 3)
#include <fcntl.h>
#include <lo/lo.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "support/quiet_spawn.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr size_t frameLength = 518;

int freePort(int type) {
    int fd = socket(AF_INET, type, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    bind(fd, reinterpret_cast<sockaddr*>(&address), length);
    getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    close(fd);
    return ntohs(address.sin_port);
}

// One command request on a new connection; its time to the end of the reply, or -1.
double commandMs(int port, const std::string& query) {
    const auto start = Clock::now();
    int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(uint16_t(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bool answered = false;
    if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) {
        std::string request = "GET /dmx?cmd=" + query + " HTTP/1.1\r\nHost: bench\r\n\r\n";
        send(fd, request.data(), request.size(), MSG_NOSIGNAL);
        char buffer[8192];
        while (recv(fd, buffer, sizeof buffer, 0) > 0) answered = true;
    }
    close(fd);
    return answered ? std::chrono::duration<double, std::milli>(Clock::now() - start).count() : -1;
}

long residentKiB(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
    }
    return -1;
}

double percentile(std::vector<double> values, double share) {
    std::sort(values.begin(), values.end());
    return values.empty() ? -1 : values[size_t(share * double(values.size() - 1))];
}

struct Program {
    pid_t pid = -1;
    int master = -1;
    int port = freePort(SOCK_STREAM);
    int oscPort = freePort(SOCK_DGRAM);
    std::filesystem::path prefs = std::filesystem::temp_directory_path() / "brannic-osc-bench";

    Program() {
        master = posix_openpt(O_RDWR | O_NOCTTY);
        grantpt(master);
        unlockpt(master);
        termios raw{};
        tcgetattr(master, &raw);
        cfmakeraw(&raw);
        tcsetattr(master, TCSANOW, &raw);
        setenv("BRANNIC_SERIAL_PORTS", ptsname(master), 1);
        std::filesystem::create_directories(prefs);
        std::ofstream(prefs / "Tolvex.config")
            << "default.shw\n0\n80\nenableWAN=false\nrequireLogin=false\nstartMinimized="
               "false\n\n\n";
        std::vector<std::string> words = {
            BRANNIC_PROGRAM,         "--headless",  "--port",      std::to_string(port), "--osc",
            std::to_string(oscPort), "--prefs-dir", prefs.string()};
        pid = testsupport::spawnQuiet(words);
        for (int i = 0; i < 500 && commandMs(port, "1%400") < 0; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        readFrame(1000);
    }
    ~Program() {
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
        close(master);
        std::filesystem::remove_all(prefs);
    }

    // One whole frame from the terminal, empty when none came in time.
    std::string readFrame(int timeoutMs) {
        std::string frame;
        pollfd readable{master, POLLIN, 0};
        while (frame.size() < frameLength && poll(&readable, 1, timeoutMs) > 0) {
            char buffer[frameLength];
            ssize_t got = read(master, buffer, frameLength - frame.size());
            if (got <= 0) break;
            frame.append(buffer, size_t(got));
        }
        return frame.size() == frameLength ? frame : std::string();
    }

    // Reads and drops frames until stop is set.
    void drain(const std::atomic<bool>& stop) {
        char buffer[65536];
        pollfd readable{master, POLLIN, 0};
        while (!stop) {
            if (poll(&readable, 1, 50) > 0) (void)!read(master, buffer, sizeof buffer);
        }
    }
};

// Message to frame, one at a time: channel 5 to a value it did not have.
void messageToFrame(Program& program) {
    lo_address target = lo_address_new("127.0.0.1", std::to_string(program.oscPort).c_str());
    std::vector<double> ms;
    for (int i = 0; i < 1000; ++i) {
        const int32_t value = 1 + i % 254;
        const auto start = Clock::now();
        lo_send(target, "/brannic/chan/5/dmx", "i", value);
        for (int frames = 0; frames < 4; ++frames) {
            std::string frame = program.readFrame(1000);
            if (frame.empty() || uint8_t(frame[4 + 5]) == value) break;
        }
        ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    lo_address_free(target);
    std::printf("OSC message to frame: p50 %.3f ms, p99 %.3f ms (1,000 messages)\n",
                percentile(ms, 0.5), percentile(ms, 0.99));
}

void flood(Program& program, int seconds) {
    std::atomic<bool> stop{false};
    std::thread drainer([&] { program.drain(stop); });
    lo_server sender = lo_server_new_with_proto("0", LO_UDP, nullptr);
    const int replyFd = lo_server_get_socket_fd(sender);
    int big = 8 << 20;
    setsockopt(replyFd, SOL_SOCKET, SO_RCVBUF, &big, sizeof big);
    std::atomic<long> replies{0};
    std::thread counter([&] {
        char buffer[512];
        pollfd readable{replyFd, POLLIN, 0};
        while (!stop) {
            if (poll(&readable, 1, 50) <= 0) continue;
            while (recv(replyFd, buffer, sizeof buffer, MSG_DONTWAIT) > 0) ++replies;
        }
    });
    std::vector<double> httpMs;
    std::thread paced([&] {
        auto next = Clock::now();
        while (!stop) {
            httpMs.push_back(commandMs(program.port, "1%4050"));
            next += std::chrono::milliseconds(10);
            std::this_thread::sleep_until(next);
        }
    });
    lo_address target = lo_address_new("127.0.0.1", std::to_string(program.oscPort).c_str());
    const auto start = Clock::now(), end = start + std::chrono::seconds(seconds);
    long sent = 0;
    for (; sent < 5'000'000 && Clock::now() < end; ++sent)
        lo_send_from(target, sender, LO_TT_IMMEDIATE, "/brannic/chan/7/dmx", "i",
                     int32_t(sent % 256));
    const double took = std::chrono::duration<double>(Clock::now() - start).count();
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    stop = true;
    paced.join();
    counter.join();
    drainer.join();
    lo_address_free(target);
    lo_server_free(sender);
    const long failed = std::count(httpMs.begin(), httpMs.end(), -1.0);
    std::printf(
        "flood: %ld messages sent in %.1f s (%.0f a second), %.0f taken a second (replies heard)\n"
        "paced HTTP during the flood: p50 %.3f ms, p99 %.3f ms, %zu requests, %ld unanswered\n",
        sent, took, double(sent) / took, double(replies) / took, percentile(httpMs, 0.5),
        percentile(httpMs, 0.99), httpMs.size(), failed);
}

}  // namespace

int main(int argc, char** argv) {
    const int seconds = std::clamp(argc > 1 ? std::atoi(argv[1]) : 3, 1, 30);
    unsetenv("DISPLAY");
    unsetenv("QT_QPA_PLATFORM");
    Program program;
    messageToFrame(program);
    std::printf("resident before the flood: %ld KiB\n", residentKiB(program.pid));
    flood(program, seconds);
    std::printf("resident after the flood: %ld KiB\n", residentKiB(program.pid));
    return 0;
}
