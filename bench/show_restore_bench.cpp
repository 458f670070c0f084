// Program start to the first DMX frame carrying the look the show file kept: the headless program
// with show control on, a pseudo-terminal as the interface, a few launches.
// Usage: show_restore_bench [runs]  (default 5)
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "server/loopback_port.h"
#include "show/saved_show.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

// The interface's side. The device side is raw from the start, so no byte changes before the
// program opens it, and held open, so the master reads no hang-up before the program opens it.
struct Interface {
    int master = posix_openpt(O_RDWR | O_NOCTTY);
    int device = -1;

    Interface() {
        grantpt(master);
        unlockpt(master);
        device = open(ptsname(master), O_RDWR | O_NOCTTY);
        termios settings{};
        tcgetattr(device, &settings);
        cfmakeraw(&settings);
        tcsetattr(device, TCSANOW, &settings);
    }
    ~Interface() {
        close(device);
        close(master);
    }
};

// One frame of 518 bytes, or less when none comes within two seconds.
std::string readFrame(int master) {
    std::string frame;
    char buffer[518];
    pollfd wanted{master, POLLIN, 0};
    while (frame.size() < sizeof buffer && poll(&wanted, 1, 2000) > 0) {
        ssize_t got = read(master, buffer, sizeof buffer - frame.size());
        if (got <= 0) break;
        frame.append(buffer, static_cast<size_t>(got));
    }
    return frame;
}

pid_t launch(const std::filesystem::path& folder, int master) {
    setenv("BRANNIC_SERIAL_PORTS", ptsname(master), 1);
    std::string folderText = folder.string();
    std::string port = std::to_string(testsupport::unusedPort());
    std::vector<char*> argv = {const_cast<char*>(BRANNIC_PROGRAM),
                               const_cast<char*>("--headless"),
                               const_cast<char*>("--show"),
                               const_cast<char*>("--port"),
                               port.data(),
                               const_cast<char*>("--prefs-dir"),
                               folderText.data(),
                               const_cast<char*>("--app-dir"),
                               folderText.data(),
                               nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    pid_t pid = -1;
    posix_spawn(&pid, BRANNIC_PROGRAM, &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

}  // namespace

int main(int argc, char** argv) {
    int runs = argc > 1 ? std::atoi(argv[1]) : 5;
    std::filesystem::path folder =
        std::filesystem::temp_directory_path() / "brannic-show-restore-bench";
    std::filesystem::create_directories(folder);
    unsetenv("DISPLAY");
    unsetenv("QT_QPA_PLATFORM");
    std::ofstream(folder / "Tolvex.config")
        << "default.shw\n0\n80\nenableWAN=false\nrequireLogin=false\nstartMinimized=false\n\n\n";
    show::SavedShow look;
    look.levels.fill(200);

    std::vector<double> firstLookMs;
    for (int run = 0; run < runs; ++run) {
        std::ofstream(folder / "default.shw") << show::showFileText(look);
        Interface interface;
        auto launched = Clock::now();
        pid_t pid = launch(folder, interface.master);
        std::string frame;
        do frame = readFrame(interface.master);
        while (frame.size() == 518 && static_cast<uint8_t>(frame[5]) != 200);
        if (frame.size() == 518) {
            firstLookMs.push_back(
                std::chrono::duration<double, std::milli>(Clock::now() - launched).count());
        }
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
    std::filesystem::remove_all(folder);
    if (firstLookMs.empty()) {
        std::printf("no frame carried the restored look\n");
        return 1;
    }
    std::sort(firstLookMs.begin(), firstLookMs.end());
    std::printf(
        "start to first frame with the restored look: median %.1f ms, best %.1f ms, worst %.1f ms "
        "(%zu of %d launches)\n",
        firstLookMs[firstLookMs.size() / 2], firstLookMs.front(), firstLookMs.back(),
        firstLookMs.size(), runs);
    return 0;
}
