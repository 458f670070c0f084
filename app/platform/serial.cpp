// The serial port on a non-blocking descriptor: writes go to the device before the caller goes on,
// not into a buffer that drains only when the event loop runs again.
#include "platform/serial.h"

#include <fcntl.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <algorithm>
#include <cerrno>
#include <utility>

#include "network/read_bounds.h"
#include "platform/device_watch.h"
#include "platform/events.h"
#include "platform/write_queue.h"

namespace platform {

namespace {

speed_t speedFor(int32_t baud) {
    constexpr std::pair<int32_t, speed_t> speeds[] = {{9600, B9600},     {19200, B19200},
                                                      {38400, B38400},   {57600, B57600},
                                                      {115200, B115200}, {230400, B230400}};
    for (auto [rate, speed] : speeds) {
        if (rate == baud) return speed;
    }
    return B0;
}

tcflag_t sizeFor(int dataBits) {
    constexpr tcflag_t sizes[] = {CS5, CS6, CS7, CS8};
    return dataBits >= 5 && dataBits <= 8 ? sizes[dataBits - 5] : CS8;
}

bool applyLineSettings(int fd, const LineSettings& line) {
    termios tio{};
    speed_t speed = speedFor(line.baud);
    if (speed == B0 || tcgetattr(fd, &tio) != 0) return false;
    cfmakeraw(&tio);
    cfsetspeed(&tio, speed);
    tio.c_cflag = (tio.c_cflag & ~(CSIZE | PARENB | PARODD | CSTOPB | CRTSCTS)) | CLOCAL | CREAD |
                  sizeFor(line.dataBits);
    if (line.parity != LineSettings::Parity::none) tio.c_cflag |= PARENB;
    if (line.parity == LineSettings::Parity::odd) tio.c_cflag |= PARODD;
    if (line.stopBits == 2) tio.c_cflag |= CSTOPB;
    if (line.flowControl == LineSettings::FlowControl::hardware) tio.c_cflag |= CRTSCTS;
    if (line.flowControl == LineSettings::FlowControl::software) tio.c_iflag |= IXON | IXOFF;
    // A read gives what is there; with nothing there, EAGAIN, so 0 means the line hung up.
    tio.c_cc[VMIN] = 1;
    tio.c_cc[VTIME] = 0;
    if (tcsetattr(fd, TCSANOW, &tio) != 0) return false;
    // A pseudo-terminal has no modem lines: refusing DTR is no failure.
    int dtr = TIOCM_DTR;
    ioctl(fd, line.dataTerminalReady ? TIOCMBIS : TIOCMBIC, &dtr);
    return true;
}

// The device opened with the line settings, -1 when it is not there or cannot be used.
int openDevice(const std::string& device, const LineSettings& line) {
    if (device.empty()) return -1;
    int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return -1;
    // One program at a time drives the interface.
    ioctl(fd, TIOCEXCL);
    if (!applyLineSettings(fd, line)) {
        ::close(fd);
        return -1;
    }
    return fd;
}

bool deviceGone(int error) {
    return error != EAGAIN && error != EWOULDBLOCK && error != EINTR;
}

}  // namespace

struct Serial::Impl {
    explicit Impl(Serial& owner) : owner(owner) {}
    ~Impl() { closeDescriptor(); }

    Serial& owner;
    std::string device;
    LineSettings line;
    PortState state = PortState::closed;
    int fd = -1;
    WriteQueue out;
    std::string in;
    std::unique_ptr<QSocketNotifier> readNotifier;
    std::unique_ptr<QSocketNotifier> writeNotifier;
    std::unique_ptr<DeviceWatch> watch;
    HandlerGate dataGate;

    bool openDescriptor() {
        fd = openDevice(device, line);
        if (fd < 0) return false;
        readNotifier = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
        QObject::connect(readNotifier.get(), &QSocketNotifier::activated, [this] { onReadable(); });
        writeNotifier = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Write);
        writeNotifier->setEnabled(false);
        QObject::connect(writeNotifier.get(), &QSocketNotifier::activated, [this] { flush(); });
        return true;
    }

    void closeDescriptor() {
        // The notifiers may be inside their own signal right now: they go when control returns.
        for (auto* notifier : {readNotifier.release(), writeNotifier.release()}) {
            if (!notifier) continue;
            notifier->setEnabled(false);
            notifier->deleteLater();
        }
        if (fd >= 0) {
            ioctl(fd, TIOCNXCL);
            ::close(fd);
        }
        fd = -1;
        out.clear();
        in.clear();
    }

    void enter(PortState next) {
        PortState before = state;
        state = next;
        if (next == PortState::waiting) {
            watch = std::make_unique<DeviceWatch>(device, [this] { retry(); });
        } else {
            watch.reset();
        }
        if (before != next && owner.StateChanged) owner.StateChanged(before);
    }

    void retry() {
        if (openDescriptor()) enter(PortState::open);
    }

    void lose() {
        closeDescriptor();
        enter(PortState::waiting);
    }

    void flush() {
        while (!out.empty()) {
            std::string_view pending = out.next();
            ssize_t put = ::write(fd, pending.data(), pending.size());
            if (put > 0) {
                out.written(static_cast<size_t>(put));
            } else if (put < 0 && errno == EINTR) {
                continue;
            } else if (put < 0 && deviceGone(errno)) {
                lose();
                return;
            } else {
                break;
            }
        }
        writeNotifier->setEnabled(!out.empty());
    }

    // One read per wake-up into a bounded buffer, as a TCP connection reads.
    void onReadable() {
        if (in.size() >= kMaxUnread) {
            readNotifier->setEnabled(false);
            return;
        }
        const ssize_t got = readBounded(fd, in);
        if (got > 0) {
            dataGate.run([this] {
                if (owner.DataAvailable) owner.DataAvailable();
            });
            return;
        }
        // What the device said before it went has been delivered by the wake-ups before.
        if (got < 0 && !deviceGone(errno)) return;
        if (state == PortState::open) lose();
    }

    void resumeReading() {
        if (readNotifier) readNotifier->setEnabled(true);
    }
};

Serial::Serial() : impl_(std::make_unique<Impl>(*this)) {}

Serial::~Serial() = default;

void Serial::setLineSettings(const LineSettings& settings) {
    impl_->line = settings;
}

void Serial::setSerialPort(const std::string& device) {
    Close();
    impl_->device = device;
}

const std::string& Serial::serialPort() const {
    return impl_->device;
}

bool Serial::Open() {
    if (IsOpen()) return true;
    if (!impl_->openDescriptor()) {
        impl_->enter(PortState::closed);
        return false;
    }
    impl_->enter(PortState::open);
    return true;
}

bool Serial::OpenOrWait() {
    if (Open()) return true;
    if (!impl_->device.empty()) impl_->enter(PortState::waiting);
    return false;
}

void Serial::Close() {
    impl_->closeDescriptor();
    impl_->enter(PortState::closed);
}

bool Serial::IsOpen() const {
    return impl_->state == PortState::open;
}

PortState Serial::State() const {
    return impl_->state;
}

void Serial::Write(std::string_view bytes) {
    if (!IsOpen()) return;
    impl_->out.push(bytes);
    impl_->flush();
}

void Serial::WriteLatest(std::string_view bytes) {
    if (!IsOpen()) return;
    impl_->out.pushLatest(bytes);
    impl_->flush();
}

size_t Serial::PendingBytes() const {
    return impl_->out.bytes();
}

std::string Serial::ReadAll() {
    impl_->resumeReading();
    return std::exchange(impl_->in, {});
}

}  // namespace platform
