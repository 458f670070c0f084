#include "platform/line_writer.h"

#include <fcntl.h>
#include <limits.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QAbstractEventDispatcher>
#include <QSocketNotifier>
#include <QTimer>
#include <cerrno>
#include <string>

namespace platform {

namespace {

enum class Way { socket, nonBlocking, pollFirst };

// Setting O_NONBLOCK on the given fd would change the open file that it shares with the shell (a
// terminal, a pipe), and the shell's own reads and writes would start failing. A terminal or pipe
// is opened a second time instead, through /proc, which gives a file of our own to make
// non-blocking. A socket (the journal) takes a non-blocking flag per send. A regular file never
// blocks. When the second open fails, a write goes out only after poll says there is room, and no
// larger than a pipe takes at once.
struct Output {
    int fd = -1;
    bool owned = false;
    Way way = Way::nonBlocking;
};

Output openOutput(int fd) {
    struct stat status {};
    // A closed fd: every write fails with EBADF, and the output ends at once.
    if (::fstat(fd, &status) != 0) return {-1, false, Way::nonBlocking};
    if (S_ISSOCK(status.st_mode)) return {fd, false, Way::socket};
    if (!S_ISFIFO(status.st_mode) && !S_ISCHR(status.st_mode)) return {fd, false, Way::nonBlocking};
    std::string path = "/proc/self/fd/" + std::to_string(fd);
    int own = ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (own < 0) return {fd, false, Way::pollFirst};
    return {own, true, Way::nonBlocking};
}

// Bytes written, or -1 with errno set (EAGAIN when there is no room now).
ssize_t writeSome(const Output& output, const char* data, size_t size) {
    switch (output.way) {
        case Way::socket:
            return ::send(output.fd, data, size, MSG_DONTWAIT | MSG_NOSIGNAL);
        case Way::nonBlocking:
            return ::write(output.fd, data, size);
        case Way::pollFirst: {
            pollfd ready{output.fd, POLLOUT, 0};
            if (::poll(&ready, 1, 0) != 1 || !(ready.revents & POLLOUT)) {
                errno = (ready.revents & (POLLERR | POLLHUP | POLLNVAL)) ? EPIPE : EAGAIN;
                return -1;
            }
            return ::write(output.fd, data, std::min<size_t>(size, PIPE_BUF));
        }
    }
    return -1;
}

}  // namespace

struct LineWriter::Impl {
    Output output;
    size_t capacity;
    std::string queue;
    size_t sent = 0;
    size_t dropped = 0;
    bool gone = false;
    // Made when the reader first falls behind.
    std::unique_ptr<QSocketNotifier> writable;
    // The lines of one turn of the event loop go out in one write: when the loop is about to wait,
    // or at its next zero-delay turn when it does not wait.
    QTimer turnEnd;
    bool watchingTurns = false;

    Impl(int fd, size_t capacity) : output(openOutput(fd)), capacity(capacity) {
        turnEnd.setSingleShot(true);
        QObject::connect(&turnEnd, &QTimer::timeout, [this] { flush(); });
    }

    ~Impl() {
        flush();
        writable.reset();
        if (output.owned) ::close(output.fd);
    }

    void waitForRoom(bool wait) {
        if (wait && !writable) {
            writable = std::make_unique<QSocketNotifier>(output.fd, QSocketNotifier::Write);
            QObject::connect(writable.get(), &QSocketNotifier::activated, [this] { flush(); });
        }
        if (writable) writable->setEnabled(wait);
    }

    size_t pending() const { return queue.size() - sent; }

    // Without an event loop the line goes out at once.
    void flushAtTurnEnd() {
        auto* loop = QAbstractEventDispatcher::instance();
        if (!loop) return flush();
        if (!watchingTurns) {
            watchingTurns = true;
            QObject::connect(loop, &QAbstractEventDispatcher::aboutToBlock, &turnEnd, [this] {
                if (turnEnd.isActive()) flush();
            });
        }
        // While the reader is behind, the notifier says when to write.
        if (!turnEnd.isActive() && !(writable && writable->isEnabled())) turnEnd.start(0);
    }

    // Writes what the reader takes now; waits for room when it takes no more.
    void flush() {
        turnEnd.stop();
        while (!gone) {
            if (pending() == 0 && !noteDropped()) break;
            ssize_t written = writeSome(output, queue.data() + sent, pending());
            if (written >= 0) {
                sent += static_cast<size_t>(written);
            } else if (errno == EAGAIN || errno == EWOULDBLOCK) {
                break;
            } else if (errno != EINTR) {
                // EPIPE, EIO of a hung-up terminal: nobody reads any more.
                gone = true;
                queue.clear();
                sent = 0;
            }
        }
        waitForRoom(!gone && pending() > 0);
    }

    // On an empty queue: queues the line that counts the dropped lines, if any were.
    bool noteDropped() {
        queue.clear();
        sent = 0;
        if (dropped == 0) return false;
        queue = std::to_string(dropped) + " status lines dropped\n";
        dropped = 0;
        return true;
    }

    void add(std::string_view line) {
        if (gone) return;
        // After a drop, lines are dropped until the queue has drained, so the count comes before
        // the next line kept.
        if (dropped > 0 || pending() + line.size() + 1 > capacity) {
            ++dropped;
            return;
        }
        if (sent > capacity) {
            queue.erase(0, sent);
            sent = 0;
        }
        queue.append(line);
        queue.push_back('\n');
        flushAtTurnEnd();
    }
};

LineWriter::LineWriter(int fd, size_t capacity) : impl_(std::make_unique<Impl>(fd, capacity)) {}

LineWriter::~LineWriter() = default;

void LineWriter::writeLine(std::string_view line) {
    impl_->add(line);
}

}  // namespace platform
