// A phone's event stream on a show of 5,000 cues, in the headless program on loopback: the one
// event that carries the list when it changes, and the events and bytes a reader takes through a
// whole fade, from `go` to the fade's end. Every wait is bounded.
#include <stdlib.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QCoreApplication>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>

#include "support/event_stream_reader.h"
#include "support/headless_program.h"
#include "support/long_show.h"
#include "support/loopback.h"

namespace {

constexpr int cueCount = 5000;

// One request on a new connection; the bytes of its reply.
size_t request(int port, const std::string& target) {
    int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address = testsupport::loopbackAddress(port);
    timeval limit{5, 0};
    setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
    size_t replied = 0;
    if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) {
        const std::string head = "GET " + target + " HTTP/1.1\r\nHost: bench\r\n\r\n";
        send(fd, head.data(), head.size(), MSG_NOSIGNAL);
        char buffer[65536];
        for (ssize_t got; (got = recv(fd, buffer, sizeof buffer, 0)) > 0;) replied += size_t(got);
    }
    close(fd);
    return replied;
}

// A command line's events end with its "command" event.
bool lineEnded(const testsupport::StreamEvent& event) {
    return event.name == "command";
}

bool fadeEnded(const testsupport::StreamEvent& event) {
    return event.name == "show" && event.text.find("\"fading\":false") != std::string::npos;
}

// The events up to the first that satisfies done, or until the stream goes quiet for 3 s, at most
// 10,000: how many of each name, their bytes, the largest.
struct Taken {
    std::map<std::string, size_t> names;
    size_t count = 0, bytes = 0, largest = 0;
    bool done = false;

    Taken(testsupport::EventStreamReader& reader, bool (*last)(const testsupport::StreamEvent&)) {
        while (!done && count < 10000) {
            std::optional<testsupport::StreamEvent> event = reader.next(3000);
            if (!event) return;
            ++names[event->name];
            ++count;
            bytes += event->text.size();
            largest = std::max(largest, event->text.size());
            done = last(*event);
        }
    }
    void print(const char* what) const {
        std::string kinds;
        for (const auto& [name, times] : names)
            kinds += (kinds.empty() ? "" : ", ") + name + ' ' + std::to_string(times);
        std::printf("  %s: %zu events (%s), %zu bytes, the largest %zu bytes%s\n", what, count,
                    kinds.c_str(), bytes, largest, done ? "" : "; the end was not seen");
    }
};

}  // namespace

int main(int argc, char** argv) {
    unsetenv("DISPLAY");
    unsetenv("QT_QPA_PLATFORM");
    QCoreApplication application(argc, argv);
    char pattern[] = "/tmp/brannic-show-events-XXXXXX";
    if (!mkdtemp(pattern)) return 1;
    const std::filesystem::path folder = pattern;
    testsupport::writeLongShow(folder / "default.shw", cueCount);
    const int port = testsupport::freePort();
    // No DMX interface: the stream is what is measured.
    testsupport::HeadlessProgram program;
    program.start(folder, "/dev/brannic-no-interface", port, {},
                  {"--show", "--app-dir", QString::fromStdString(folder.string())});
    if (!program.waitForLine("in a browser", 10000)) {
        std::printf("the program did not start\n");
        return 1;
    }
    std::printf("a reader of /events on a show of %d cues:\n", cueCount);
    std::printf("  /levels: %zu bytes\n", request(port, "/levels"));
    testsupport::EventStreamReader reader(port);
    request(port, "/dmx?cmd=cue+" + std::to_string(cueCount) + "+label+Finale");
    Taken(reader, lineEnded).print("a label changed");
    request(port, "/dmx?cmd=go");
    Taken(reader, fadeEnded).print("go, a 1 s fade to its end");
    std::printf("  the stream is %s\n", reader.ended() ? "closed" : "open");
    program.process.terminate();
    program.process.waitForFinished(3000);
    std::filesystem::remove_all(folder);
    return 0;
}
