// The whole program as a browser meets it: each command request on a new loopback connection,
// timed from the request to the DMX frame on a pseudo-terminal, and requests per second.
//
// By default the bench starts brannic-webserver itself. BENCH_SERVER_COMMAND runs another server
// instead (a shell command where {device}, {port} and {dir} stand for the serial device, the TCP
// port and a scratch folder); BENCH_SERVER_READY is a command run until it succeeds once the
// server listens and has probed the interface (BENCH_SERVER_PROBES=0: a server that never probes);
// BENCH_REQUEST=olad sends that server's HTTP form of a DMX update. BENCH_SERVER_STDOUT names a
// file for the server's standard output (else /dev/null); BENCH_COMMANDS sets the requests of the
// latency run (default 3000). The latency run also reports the server's CPU time per request.
//
// The hostile-load runs start a server of their own each: its peak memory under clients pouring
// junk, and commands answered while 2,000 clients hold silent connections (reconnecting as soon as
// they are dropped), with and without a limit of 64 descriptors on the server, and the time to the
// first reply after they have left.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "bench_peer_widget.h"
#include "support/loopback.h"
#include "support/stage_settings.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr size_t frameLength = 518;

struct Pty {
    int master = -1;
    std::string device;
    Pty() {
        master = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
        if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0)
            throw std::runtime_error("pty");
        device = ptsname(master);
        // Held open so the master never sees a hang-up while the server reopens the device.
        int slave = ::open(device.c_str(), O_RDWR | O_NOCTTY);
        termios tio{};
        tcgetattr(slave, &tio);
        cfmakeraw(&tio);
        tcsetattr(slave, TCSANOW, &tio);
    }
};

int connectTo(int port) {
    int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address = testsupport::loopbackAddress(port);
    if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        ::close(fd);
        return -1;
    }
    // A server that keeps the connection open must not stall the bench.
    timeval limit{5, 0};
    setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
    return fd;
}

std::string replaceAll(std::string text, const std::string& from, const std::string& to) {
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

class Server {
  public:
    // launcher: a command line that runs the program, such as "prlimit --nofile=64".
    Server(const std::string& device, int port, const std::string& launcher)
        : folder_(makeFolder()) {
        const char* custom = std::getenv("BENCH_SERVER_COMMAND");
        std::string command = custom ? custom : defaultCommand(launcher);
        command = replaceAll(
            replaceAll(replaceAll(command, "{device}", device), "{port}", std::to_string(port)),
            "{dir}", folder_.string());
        testsupport::writeStageSettings(folder_, port);
        pid_ = fork();
        if (pid_ == 0) {
            setpgid(0, 0);
            setenv("BRANNIC_SERIAL_PORTS", device.c_str(), 1);
            const char* output = std::getenv("BENCH_SERVER_STDOUT");
            int out = ::open(output ? output : "/dev/null", O_WRONLY | O_CREAT | O_TRUNC, 0644);
            dup2(out, STDOUT_FILENO);
            execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
    }
    ~Server() {
        kill(-pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
        std::filesystem::remove_all(folder_);
    }
    // A memory figure of the server in kB (field "VmRSS:" resident now, "VmHWM:" at its peak), 0
    // when unknown.
    long memoryKb(std::string_view field) const {
        std::ifstream status("/proc/" + std::to_string(pid_) + "/status");
        for (std::string line; std::getline(status, line);) {
            if (line.starts_with(field)) return std::atol(line.c_str() + field.size());
        }
        return 0;
    }
    // User and system time of the server so far, in clock ticks.
    long cpuTicks() const {
        std::ifstream stat("/proc/" + std::to_string(pid_) + "/stat");
        std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
        // The fields after the command name, which is in parentheses and may hold spaces.
        std::istringstream fields(text.substr(text.rfind(')') + 2));
        std::string field;
        long utime = 0, stime = 0;
        for (int n = 3; n <= 15 && fields >> field; ++n) {
            if (n == 14) utime = std::atol(field.c_str());
            if (n == 15) stime = std::atol(field.c_str());
        }
        return utime + stime;
    }

  private:
    static std::filesystem::path makeFolder() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "brannic-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp");
        return pattern;
    }
    std::string defaultCommand(const std::string& launcher) const {
        return "exec " + launcher + " '" + BRANNIC_PROGRAM +
               "' --headless --port {port} --prefs-dir {dir} --app-dir {dir}";
    }

    std::filesystem::path folder_;
    pid_t pid_ = -1;
};

// The request that sets one channel, in the form the server under test understands.
std::string commandRequest(int channel, int level) {
    const char* shape = std::getenv("BENCH_REQUEST");
    if (shape && std::string(shape) == "olad") {
        std::string levels;
        for (int ch = 1; ch <= 512; ++ch)
            levels += (ch > 1 ? "," : "") + std::to_string(ch == channel ? level : 0);
        std::string body = "u=1&d=" + levels;
        return "POST /set_dmx HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\nContent-Type: "
               "application/x-www-form-urlencoded\r\n"
               "Content-Length: " +
               std::to_string(body.size()) + "\r\n\r\n" + body;
    }
    return "GET /dmx?cmd=" + std::to_string(channel) + "%40D" + std::to_string(level) +
           " HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n\r\n";
}

class Rig {
  public:
    explicit Rig(const std::string& launcher = "")
        : port_(testsupport::freePort()),
          server_(pty_.device, port_, launcher),
          widget_(pty_.master) {
        auto deadline = Clock::now() + std::chrono::seconds(20);
        while (!ready()) {
            if (Clock::now() > deadline) throw std::runtime_error("server did not come up");
            widget_.serve(std::chrono::milliseconds(50));
        }
    }

    // One request answered: the time from sending it to its reply's end; none when no reply came.
    std::optional<Clock::duration> request(int channel, int level) {
        auto started = Clock::now();
        int fd = send(channel, level);
        if (fd < 0) return std::nullopt;
        bool replied = awaitReply(fd);
        auto answered = Clock::now();
        // Frames are taken off the terminal so its buffer never fills.
        widget_.serve(std::chrono::milliseconds(0));
        if (!replied) return std::nullopt;
        return answered - started;
    }

    // One request: the time from sending it to the end of its frame, none when no frame came.
    std::optional<Clock::duration> requestToFrame(int channel, int level) {
        auto started = Clock::now();
        int fd = send(channel, level);
        if (fd < 0) return std::nullopt;
        bool framed = widget_.awaitFrame(channel, level, std::chrono::seconds(5));
        auto frameTime = Clock::now();
        awaitReply(fd);
        if (!framed) return std::nullopt;
        return frameTime - started;
    }

    int port() const { return port_; }

    // Whether the frame of a request was on the terminal by the time its reply had fully arrived;
    // none when no frame came at all.
    std::optional<bool> frameBeforeReply(int channel, int level) {
        int fd = send(channel, level);
        if (fd < 0) return std::nullopt;
        awaitReply(fd);
        if (widget_.frameArrived(channel, level)) return true;
        if (!widget_.awaitFrame(channel, level, std::chrono::seconds(5))) return std::nullopt;
        return false;
    }

    // One request answered while the device takes no more than one frame every 25 ms, about the
    // pace of a DMX line.
    bool requestToSlowDevice(int channel, int level) {
        int fd = send(channel, level);
        if (fd < 0) return false;
        awaitReply(fd);
        if (Clock::now() >= nextSlowRead_) {
            widget_.take(frameLength);
            nextSlowRead_ = Clock::now() + std::chrono::milliseconds(25);
        }
        return true;
    }

    // Whether the level reaches the device once it reads at full speed again.
    bool frameArrives(int channel, int level) {
        return widget_.awaitFrame(channel, level, std::chrono::seconds(5));
    }

    long serverCpuTicks() const { return server_.cpuTicks(); }
    long serverResidentKb() const { return server_.memoryKb("VmRSS:"); }
    long serverPeakKb() const { return server_.memoryKb("VmHWM:"); }

  private:
    int send(int channel, int level) {
        std::string request = commandRequest(channel, level);
        int fd = connectTo(port_);
        if (fd >= 0) ::send(fd, request.data(), request.size(), MSG_NOSIGNAL);
        return fd;
    }

    // Whether any reply came before the server closed.
    static bool awaitReply(int fd) {
        char buffer[4096];
        ssize_t got;
        bool replied = false;
        while ((got = ::recv(fd, buffer, sizeof buffer, 0)) > 0) replied = true;
        ::close(fd);
        return replied;
    }

    bool ready() {
        const char* probes = std::getenv("BENCH_SERVER_PROBES");
        bool probing = !probes || std::string(probes) != "0";
        if (std::getenv("BENCH_SERVER_COMMAND") && probing && !widget_.probed()) return false;
        int fd = connectTo(port_);
        if (fd < 0) return false;
        ::close(fd);
        const char* finish = std::getenv("BENCH_SERVER_READY");
        return !finish || std::system(finish) == 0;
    }

    Pty pty_;
    int port_;
    Server server_;
    bench::PeerWidget widget_;
    Clock::time_point nextSlowRead_;
};

double percentile(std::vector<double> values, double share) {
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, static_cast<size_t>(share * values.size()))];
}

// Started once for all runs; null when the server did not come up.
Rig* sharedRig() {
    static std::unique_ptr<Rig> rig = []() -> std::unique_ptr<Rig> {
        try {
            return std::make_unique<Rig>();
        } catch (const std::exception&) {
            return nullptr;
        }
    }();
    return rig.get();
}

// Time between requests of the latency run (BENCH_PACE_US, microseconds), so a server that caps
// its frame rate sends every frame.
std::chrono::microseconds pace() {
    const char* text = std::getenv("BENCH_PACE_US");
    return std::chrono::microseconds(text ? std::atoi(text) : 0);
}

using Exchange = std::optional<Clock::duration> (Rig::*)(int channel, int level);

void measure(benchmark::State& state, Exchange exchange, std::chrono::microseconds gap) {
    Rig* rig = sharedRig();
    if (!rig) {
        state.SkipWithError("the server did not come up");
        return;
    }
    std::vector<double> times;
    int n = 0;
    const long cpuBefore = rig->serverCpuTicks();
    for (auto _ : state) {
        ++n;
        // Two digits at least: a single digit would be read as tens.
        auto took = (rig->*exchange)(1 + n % 512, 10 + n % 240);
        if (!took) {
            state.SkipWithError("no answer to a request");
            return;
        }
        times.push_back(std::chrono::duration<double, std::milli>(*took).count());
        if (gap.count() > 0) {
            state.PauseTiming();
            std::this_thread::sleep_for(gap);
            state.ResumeTiming();
        }
    }
    state.SetItemsProcessed(state.iterations());
    const double cpuUs = 1e6 * (rig->serverCpuTicks() - cpuBefore) / sysconf(_SC_CLK_TCK);
    state.counters["cpu_us_per_request"] = cpuUs / n;
    state.counters["p50_ms"] = percentile(times, 0.50);
    state.counters["p99_ms"] = percentile(times, 0.99);
}

// Requests per second, each on a new connection, reply read whole.
void Requests(benchmark::State& state) {
    measure(state, &Rig::request, std::chrono::microseconds(0));
}
BENCHMARK(Requests)->Iterations(5000)->Unit(benchmark::kMicrosecond)->UseRealTime();

// From sending a request to the end of its frame on the terminal.
void RequestToFrame(benchmark::State& state) {
    measure(state, &Rig::requestToFrame, pace());
}
int latencyRequests() {
    const char* text = std::getenv("BENCH_COMMANDS");
    return text ? std::atoi(text) : 3000;
}
BENCHMARK(RequestToFrame)
    ->Iterations(latencyRequests())
    ->Unit(benchmark::kMicrosecond)
    ->UseRealTime();

// Clients that connect and then either stay silent or pour bytes that never end a request head.
// Each one the server drops connects again at once. Runs until destroyed, two minutes at most.
class Crowd {
  public:
    Crowd(int port, size_t size, bool pouring)
        : port_(port), pouring_(pouring), fds_(size, -1), thread_([this] { run(); }) {}
    ~Crowd() {
        stop_ = true;
        thread_.join();
        for (int fd : fds_) ::close(fd);
    }

  private:
    void run() {
        for (int& fd : fds_) fd = connectQuietly();
        std::string junk(65536, 'x');
        std::vector<pollfd> polled(fds_.size());
        auto deadline = Clock::now() + std::chrono::minutes(2);
        while (!stop_ && Clock::now() < deadline) {
            for (size_t i = 0; i < fds_.size(); ++i)
                polled[i] = {fds_[i], static_cast<short>(POLLIN | (pouring_ ? POLLOUT : 0)), 0};
            if (::poll(polled.data(), polled.size(), 50) <= 0) continue;
            for (size_t i = 0; i < fds_.size(); ++i) {
                bool writable = polled[i].revents & POLLOUT;
                if (writable && ::send(fds_[i], junk.data(), junk.size(), MSG_NOSIGNAL) > 0)
                    continue;
                if (polled[i].revents & (POLLIN | POLLHUP | POLLERR) || writable) {
                    ::close(fds_[i]);
                    fds_[i] = connectQuietly();
                }
            }
        }
    }
    int connectQuietly() const {
        int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
        sockaddr_in address = testsupport::loopbackAddress(port_);
        ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
        return fd;
    }

    int port_;
    bool pouring_;
    std::vector<int> fds_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

double milliseconds(Clock::duration time) {
    return std::chrono::duration<double, std::milli>(time).count();
}

// Peak memory of a fresh server while 50 clients pour junk for three seconds.
void JunkSenders(benchmark::State& state) {
    for (auto _ : state) {
        Rig rig;
        {
            Crowd junk(rig.port(), 50, true);
            std::this_thread::sleep_for(std::chrono::seconds(3));
        }
        auto answered = rig.request(1, 50);
        state.counters["peak_rss_MB"] = rig.serverPeakKb() / 1024.0;
        state.counters["served_after_ms"] = answered ? milliseconds(*answered) : -1;
    }
}
BENCHMARK(JunkSenders)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// Commands sent one after another while 2,000 silent clients press in, then the first command
// after they have all gone.
void CommandsBehindSilentCrowd(benchmark::State& state, const char* launcher) {
    for (auto _ : state) {
        Rig rig(launcher);
        std::vector<double> times;
        {
            Crowd silent(rig.port(), 2000, false);
            std::this_thread::sleep_for(std::chrono::seconds(1));
            for (int n = 0; n < 100; ++n) {
                if (auto took = rig.request(1 + n, 10 + n)) times.push_back(milliseconds(*took));
            }
        }
        auto left = Clock::now();
        auto answered = rig.request(1, 50);
        state.counters["answered"] = static_cast<double>(times.size());
        state.counters["p50_ms"] = times.empty() ? -1 : percentile(times, 0.50);
        state.counters["p99_ms"] = times.empty() ? -1 : percentile(times, 0.99);
        state.counters["served_after_leaving_ms"] =
            answered ? milliseconds(Clock::now() - left) : -1;
    }
}
BENCHMARK_CAPTURE(CommandsBehindSilentCrowd, unlimited, "")
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(CommandsBehindSilentCrowd, at_64_descriptors, "prlimit --nofile=64")
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// Share of commands whose frame was on the terminal before their reply's last byte (goal: all).
void FrameBeforeReply(benchmark::State& state) {
    Rig* rig = sharedRig();
    if (!rig) {
        state.SkipWithError("the server did not come up");
        return;
    }
    int n = 0, first = 0;
    for (auto _ : state) {
        ++n;
        auto framedFirst = rig->frameBeforeReply(1 + n % 512, 10 + n % 240);
        if (!framedFirst) {
            state.SkipWithError("no frame for a request");
            return;
        }
        first += *framedFirst;
    }
    state.counters["frame_first_pct"] = 100.0 * first / n;
}
BENCHMARK(FrameBeforeReply)->Iterations(3000)->Unit(benchmark::kMicrosecond)->UseRealTime();

// The server's memory after BENCH_SLOW_COMMANDS commands (default 100000) to a device that reads
// slowly: a server that queues every frame grows, one that keeps the newest stays flat. A server of
// its own, so the other runs do not count; ten minutes at most.
void SlowDeviceMemory(benchmark::State& state) {
    const char* text = std::getenv("BENCH_SLOW_COMMANDS");
    const int commands = text ? std::atoi(text) : 100000;
    for (auto _ : state) {
        std::unique_ptr<Rig> rig;
        try {
            rig = std::make_unique<Rig>();
        } catch (const std::exception&) {
            state.SkipWithError("the server did not come up");
            return;
        }
        const long before = rig->serverResidentKb();
        const auto deadline = Clock::now() + std::chrono::minutes(10);
        int sent = 0;
        while (sent < commands && Clock::now() < deadline) {
            ++sent;
            if (!rig->requestToSlowDevice(1 + sent % 512, 10 + sent % 240)) {
                state.SkipWithError("no answer to a request");
                return;
            }
        }
        state.counters["commands"] = sent;
        state.counters["rss_before_MB"] = before / 1024.0;
        state.counters["rss_after_MB"] = rig->serverResidentKb() / 1024.0;
        state.counters["last_level_arrived"] = rig->frameArrives(1 + sent % 512, 10 + sent % 240);
    }
}
BENCHMARK(SlowDeviceMemory)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    // Room for the crowds' connections.
    rlimit descriptors{};
    getrlimit(RLIMIT_NOFILE, &descriptors);
    descriptors.rlim_cur = descriptors.rlim_max;
    setrlimit(RLIMIT_NOFILE, &descriptors);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
}
