#include "support/pty_pair.h"

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <stdexcept>

namespace testsupport {

PtyPair::PtyPair() {
    master_ = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0) {
        throw std::runtime_error("no pseudo-terminal");
    }
    device_ = ptsname(master_);
    // Raw on the device side from the start, so no byte is changed before the program opens it.
    int slave = ::open(device_.c_str(), O_RDWR | O_NOCTTY);
    if (slave >= 0) {
        termios tio{};
        tcgetattr(slave, &tio);
        cfmakeraw(&tio);
        tcsetattr(slave, TCSANOW, &tio);
        ::close(slave);
    }
}

PtyPair::~PtyPair() {
    closeMaster();
}

void PtyPair::closeMaster() {
    if (master_ >= 0) ::close(master_);
    master_ = -1;
}

std::string PtyPair::readExactly(size_t count, int timeoutMs) {
    std::string data;
    QElapsedTimer timer;
    timer.start();
    while (data.size() < count && timer.elapsed() < timeoutMs) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        char buffer[4096];
        size_t want = std::min(sizeof buffer, count - data.size());
        ssize_t got = ::read(master_, buffer, want);
        if (got > 0) {
            data.append(buffer, static_cast<size_t>(got));
        } else {
            pollfd pfd{master_, POLLIN, 0};
            ::poll(&pfd, 1, 1);
        }
    }
    return data;
}

std::string PtyPair::readFor(int milliseconds) {
    return readExactly(static_cast<size_t>(-1) / 2, milliseconds);
}

std::string PtyPair::readNow() {
    std::string data;
    char buffer[4096];
    for (ssize_t got; (got = ::read(master_, buffer, sizeof buffer)) > 0;)
        data.append(buffer, static_cast<size_t>(got));
    return data;
}

void PtyPair::write(std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t put = ::write(master_, bytes.data(), bytes.size());
        if (put > 0) {
            bytes.remove_prefix(static_cast<size_t>(put));
        } else {
            QThread::msleep(1);
        }
    }
}

bool waitUntil(const std::function<bool()>& condition, int timeoutMs) {
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > timeoutMs) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::usleep(200);
    }
    return true;
}

}  // namespace testsupport
