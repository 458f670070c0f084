// Show control in the headless program, with a pseudo-terminal as the DMX interface:
//   - a 5 s fade of 512 channels: frames a second and the longest gap between frames on the
//     terminal, and the same for sACN packets on 127.0.0.1:5568 (skipped when the port is taken);
//   - `goto` to the first changed frame, p50/p99 of 1,000 (cues with time 0, one in flight);
//   - CPU during the fade (percent of one core) and CPU ticks in the 2 s after it ends;
//   - after kill -9, program start to the first frame carrying the look the show file kept;
//   - a GO in a show of 20 and of 5,000 cues (every channel lit, 2 s fades): the longest gap
//     between the fade's frames in the 1.5 s after it, which takes in the show file's write.
// Every wait is bounded; the program is killed at the end.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "show/saved_show.h"
#include "support/cpu_ticks.h"
#include "support/loopback.h"
#include "support/quiet_spawn.h"
#include "support/stage_settings.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int sacnPort = 5568;
// Channel 1's level in a frame's payload (start code first) and in an sACN data packet.
constexpr size_t frameChannel1 = 1;
constexpr size_t sacnChannel1 = 126;

double msBetween(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

double percentile(std::vector<double> values, double share) {
    std::sort(values.begin(), values.end());
    return values.empty() ? -1 : values[size_t(share * double(values.size() - 1))];
}

// Sends a command request on a new connection and leaves the reply to be read; -1 on failure.
int sendCommand(int port, const std::string& query) {
    int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address = testsupport::loopbackAddress(port);
    timeval limit{5, 0};
    setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
    if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        close(fd);
        return -1;
    }
    std::string request =
        "GET /dmx?cmd=" + query + " HTTP/1.1\r\nHost: bench\r\nConnection: close\r\n\r\n";
    send(fd, request.data(), request.size(), MSG_NOSIGNAL);
    return fd;
}

// Reads the reply to its end; whether any came.
bool finishCommand(int fd) {
    if (fd < 0) return false;
    char buffer[8192];
    bool answered = false;
    while (recv(fd, buffer, sizeof buffer, 0) > 0) answered = true;
    close(fd);
    return answered;
}

bool command(int port, const std::string& query) {
    return finishCommand(sendCommand(port, query));
}

// The UDP socket sACN to 127.0.0.1 arrives on; -1 when the port is taken.
int sacnReceiver() {
    int fd = socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK, 0);
    sockaddr_in address = testsupport::loopbackAddress(sacnPort);
    if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        close(fd);
        return -1;
    }
    int big = 4 << 20;
    setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &big, sizeof big);
    return fd;
}

// The interface's end of the terminal: whole DMX frames out of the byte stream.
class Terminal {
  public:
    Terminal() {
        master_ = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
        if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0)
            throw std::runtime_error("pty");
        device_ = ptsname(master_);
        // Held open so the master never sees a hang-up while the program reopens the device.
        slave_ = open(device_.c_str(), O_RDWR | O_NOCTTY);
        termios raw{};
        tcgetattr(slave_, &raw);
        cfmakeraw(&raw);
        tcsetattr(slave_, TCSANOW, &raw);
    }
    ~Terminal() {
        close(slave_);
        close(master_);
    }
    int fd() const { return master_; }
    const std::string& device() const { return device_; }

    // Reads what is there; the payloads of the DMX frames it completes.
    std::vector<std::string> readFrames() {
        char chunk[65536];
        for (ssize_t got; (got = read(master_, chunk, sizeof chunk)) > 0;)
            buffer_.append(chunk, size_t(got));
        std::vector<std::string> frames;
        for (std::optional<std::string> packet; (packet = takePacket());)
            if (!packet->empty()) frames.push_back(*packet);
        return frames;
    }

  private:
    static constexpr char startByte = 0x7E, endByte = char(0xE7), dmxLabel = 6;

    // The next packet: its payload when it is a DMX frame, empty when it is another; none when
    // no whole packet is there.
    std::optional<std::string> takePacket() {
        const size_t start = buffer_.find(startByte);
        if (start == std::string::npos) {
            buffer_.clear();
            return std::nullopt;
        }
        buffer_.erase(0, start);
        if (buffer_.size() < 4) return std::nullopt;
        const size_t length = uint8_t(buffer_[2]) | size_t(uint8_t(buffer_[3])) << 8;
        if (buffer_.size() < length + 5) return std::nullopt;
        if (buffer_[length + 4] != endByte) {
            buffer_.erase(0, 1);
            return std::string();
        }
        std::string payload = buffer_[1] == dmxLabel ? buffer_.substr(4, length) : std::string();
        buffer_.erase(0, length + 5);
        return payload;
    }

    int master_ = -1, slave_ = -1;
    std::string device_;
    std::string buffer_;
};

class Program {
  public:
    // showFile, when given, is the show file's text the program starts with.
    explicit Program(std::vector<std::string> options, const std::string& showFile = {})
        : options_(std::move(options)) {
        char pattern[] = "/tmp/brannic-show-fade-XXXXXX";
        if (!mkdtemp(pattern)) throw std::runtime_error("mkdtemp");
        folder_ = pattern;
        testsupport::writeStageSettings(folder_, port_);
        if (!showFile.empty()) std::ofstream(folder_ / "default.shw") << showFile;
        start();
        const auto deadline = Clock::now() + std::chrono::seconds(10);
        while (!command(port_, "1%400")) {
            if (Clock::now() > deadline) throw std::runtime_error("the program did not answer");
            usleep(20'000);
        }
    }
    ~Program() {
        stop();
        std::filesystem::remove_all(folder_);
    }
    // Killed as a power cut would, and started again on the same folder and terminal.
    void restart() {
        stop();
        terminal_.readFrames();  // what the last run wrote is not this run's
        start();
    }
    int port() const { return port_; }
    pid_t pid() const { return pid_; }
    Terminal& terminal() { return terminal_; }

  private:
    void start() {
        setenv("BRANNIC_SERIAL_PORTS", terminal_.device().c_str(), 1);
        std::vector<std::string> words = {BRANNIC_PROGRAM,       "--headless",    "--port",
                                          std::to_string(port_), "--prefs-dir",   folder_.string(),
                                          "--app-dir",           folder_.string()};
        words.insert(words.end(), options_.begin(), options_.end());
        pid_ = testsupport::spawnQuiet(words);
    }
    void stop() {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }

    std::vector<std::string> options_;
    Terminal terminal_;
    int port_ = testsupport::freePort();
    std::filesystem::path folder_;
    pid_t pid_ = -1;
};

// Arrival times of frames or packets, and channel 1's level in each.
struct Arrivals {
    std::vector<Clock::time_point> times;
    std::vector<uint8_t> levels;

    void add(Clock::time_point at, const std::string& data, size_t channel1) {
        if (data.size() <= channel1) return;
        times.push_back(at);
        levels.push_back(uint8_t(data[channel1]));
    }
    bool reached(uint8_t level) const { return !levels.empty() && levels.back() == level; }

    // From the first frame that left the starting level to the first at the final one.
    void printFade(const char* what) const {
        auto first = std::find_if(levels.begin(), levels.end(), [&](uint8_t l) { return l != 0; });
        auto last = std::find(first, levels.end(), uint8_t(255));
        if (first == levels.end() || last == levels.end()) {
            std::printf("%s: the fade was not seen (%zu frames)\n", what, levels.size());
            return;
        }
        const size_t from = size_t(first - levels.begin()), to = size_t(last - levels.begin());
        double longestGap = 0;
        for (size_t i = from + 1; i <= to; ++i)
            longestGap = std::max(longestGap, msBetween(times[i - 1], times[i]));
        const double seconds = msBetween(times[from], times[to]) / 1000;
        std::printf("%s: %zu during the fade over %.2f s, %.1f a second, longest gap %.1f ms\n",
                    what, to - from + 1, seconds, double(to - from) / seconds, longestGap);
    }
};

// Reads the terminal and the sACN socket (when there is one) until the time.
void watch(Program& program, int sacn, Arrivals& frames, Arrivals& packets, Clock::time_point until,
           bool stopAtFull) {
    pollfd sources[2] = {{program.terminal().fd(), POLLIN, 0}, {sacn, POLLIN, 0}};
    char packet[1024];
    while (Clock::now() < until) {
        if (stopAtFull && frames.reached(255) && (sacn < 0 || packets.reached(255))) return;
        if (poll(sources, sacn < 0 ? 1 : 2, 20) <= 0) continue;
        const auto now = Clock::now();
        for (const std::string& frame : program.terminal().readFrames())
            frames.add(now, frame, frameChannel1);
        for (ssize_t got; sacn >= 0 && (got = recv(sacn, packet, sizeof packet, 0)) > 0;)
            packets.add(now, std::string(packet, size_t(got)), sacnChannel1);
    }
}

// Cue 1 holds every channel at 0, cue 2 every channel at full with a 5 s fade; cue 1 is live.
void recordCues(int port) {
    for (const char* line : {"1/512%400", "rec+1+time+0", "1/512%40100", "rec+2+time+5", "goto+1"})
        if (!command(port, line)) throw std::runtime_error(std::string("refused: ") + line);
}

void fade(Program& program, int sacn) {
    recordCues(program.port());
    Arrivals ignored;
    watch(program, sacn, ignored, ignored, Clock::now() + std::chrono::milliseconds(300), false);
    Arrivals frames, packets;
    const long ticksBefore = testsupport::cpuTicks(program.pid());
    const auto started = Clock::now();
    if (!command(program.port(), "go")) throw std::runtime_error("go refused");
    watch(program, sacn, frames, packets, started + std::chrono::seconds(8), true);
    const auto ended = Clock::now();
    const long ticksDuring = testsupport::cpuTicks(program.pid()) - ticksBefore;
    watch(program, sacn, ignored, ignored, ended + std::chrono::seconds(2), false);
    const long ticksAfter = testsupport::cpuTicks(program.pid()) - ticksBefore - ticksDuring;
    frames.printFade("  terminal frames");
    if (sacn >= 0) packets.printFade("  sACN packets");
    std::printf(
        "  CPU during the fade: %.1f%% of one core (%ld ticks in %.2f s); "
        "ticks in the 2 s after: %ld\n",
        100.0 * double(ticksDuring) / double(sysconf(_SC_CLK_TCK)) /
            (msBetween(started, ended) / 1000),
        ticksDuring, msBetween(started, ended) / 1000, ticksAfter);
}

// The time from started to the first frame whose channel 1 is wanted; none when no such frame
// came within the limit.
std::optional<double> untilFrame(Program& program, Clock::time_point started,
                                 const std::function<bool(uint8_t)>& wanted,
                                 std::chrono::seconds limit) {
    std::optional<double> ms;
    pollfd readable{program.terminal().fd(), POLLIN, 0};
    while (!ms && Clock::now() < started + limit) {
        if (poll(&readable, 1, 100) <= 0) continue;
        const auto now = Clock::now();
        for (const std::string& frame : program.terminal().readFrames())
            if (wanted(uint8_t(frame[frameChannel1]))) ms = msBetween(started, now);
    }
    return ms;
}

// The time from sending a command to the first frame whose channel 1 is not at level.
std::optional<double> commandToChange(Program& program, const std::string& query, uint8_t level) {
    const auto started = Clock::now();
    const int fd = sendCommand(program.port(), query);
    auto ms = untilFrame(
        program, started, [&](uint8_t l) { return l != level; }, std::chrono::seconds(2));
    finishCommand(fd);
    return ms;
}

// `goto` between the two cues with time 0, one request in flight; the fade left cue 2 live.
void gotoToFrame(Program& program) {
    std::vector<double> ms;
    const auto deadline = Clock::now() + std::chrono::seconds(120);
    for (int i = 0; i < 1000 && Clock::now() < deadline; ++i) {
        const bool toCue1 = i % 2 == 0;
        auto took =
            commandToChange(program, toCue1 ? "goto+1+time+0" : "goto+2+time+0", toCue1 ? 255 : 0);
        if (took) ms.push_back(*took);
    }
    std::printf("  goto to first changed frame: p50 %.3f ms, p99 %.3f ms (%zu of 1,000)\n",
                percentile(ms, 0.5), percentile(ms, 0.99), ms.size());
}

// The show file keeps cue 2 (every channel at full) as the look: kill -9, start again, and the
// time from the start to the first frame carrying it, over a few restarts.
void restartToLook(Program& program) {
    std::vector<double> ms;
    for (int run = 0; run < 5; ++run) {
        usleep(1'500'000);  // the file is written within a second of the last change
        const auto started = Clock::now();
        program.restart();
        auto took = untilFrame(
            program, started, [](uint8_t l) { return l == 255; }, std::chrono::seconds(5));
        if (took) ms.push_back(*took);
    }
    std::printf(
        "  kill -9, start to first frame with the kept look: p50 %.1f ms, worst %.1f ms "
        "(%zu of 5)\n",
        percentile(ms, 0.5), percentile(ms, 1.0), ms.size());
}

// A show of `count` cues with 2 s fades, every channel lit at levels that change from cue to cue;
// cue 1 is live.
std::string showOfCues(int32_t count) {
    show::SavedShow saved;
    for (int32_t i = 1; i <= count; ++i) {
        show::Cue cue{i * 10, "Scene " + std::to_string(i), {2000, 2000}, {}};
        for (int32_t channel = 1; channel <= Module1::lastChannel; ++channel)
            cue.levels[channel] = 1 + (i * 7 + channel * 13) % 255;
        if (i == 1) saved.levels = cue.levels;
        saved.cues.put(std::move(cue));
    }
    saved.current = 10;
    return show::showFileText(saved);
}

// The longest gap between two frames on the terminal from now until the time.
double longestFrameGap(Program& program, Clock::time_point until) {
    pollfd readable{program.terminal().fd(), POLLIN, 0};
    std::optional<Clock::time_point> last;
    double longest = 0;
    while (Clock::now() < until) {
        if (poll(&readable, 1, 5) <= 0) continue;
        const auto now = Clock::now();
        if (program.terminal().readFrames().empty()) continue;
        if (last) longest = std::max(longest, msBetween(*last, now));
        last = now;
    }
    return longest;
}

// Ten GOs, each once the last fade has ended: the longest frame gap in the first 1.5 s of each
// fade, median and worst.
void goGaps(int32_t cues, const std::vector<std::string>& options) {
    Program program(options, showOfCues(cues));
    // The start's own write of the show is done before the first GO.
    longestFrameGap(program, Clock::now() + std::chrono::seconds(2));
    std::vector<double> gaps;
    for (int i = 0; i < 10; ++i) {
        const int fd = sendCommand(program.port(), "go");
        gaps.push_back(longestFrameGap(program, Clock::now() + std::chrono::milliseconds(1500)));
        if (!finishCommand(fd)) throw std::runtime_error("go refused");
        longestFrameGap(program, Clock::now() + std::chrono::seconds(1));
    }
    std::printf("  %5d cues: longest frame gap after a GO: p50 %.1f ms, worst %.1f ms\n", cues,
                percentile(gaps, 0.5), percentile(gaps, 1.0));
}

}  // namespace

// "long-show" as the argument runs the GO in a long show alone.
int main(int argc, char** argv) {
    unsetenv("DISPLAY");
    unsetenv("QT_QPA_PLATFORM");
    const bool longShowOnly = argc > 1 && std::string(argv[1]) == "long-show";
    if (!longShowOnly) {
        std::printf("--show, the terminal alone:\n");
        Program program({"--show"});
        fade(program, -1);
        gotoToFrame(program);
        restartToLook(program);
    }
    for (const std::vector<std::string>& options :
         {std::vector<std::string>{"--show"}, std::vector<std::string>{"--show", "--live"}}) {
        std::printf("%s, a GO in a long show:\n", options.size() == 1 ? "--show" : "--show --live");
        for (int32_t cues : {20, 5000}) goGaps(cues, options);
    }
    if (longShowOnly) return 0;
    const int sacn = sacnReceiver();
    if (sacn < 0) {
        std::printf("127.0.0.1:%d is taken: the sACN part is skipped\n", sacnPort);
        return 0;
    }
    std::printf("--show --sacn 1 --sacn-to 127.0.0.1:\n");
    Program program({"--show", "--sacn", "1", "--sacn-to", "127.0.0.1"});
    fade(program, sacn);
    close(sacn);
    return 0;
}
