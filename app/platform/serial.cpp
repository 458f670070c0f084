#include "platform/serial.h"

#include <QSerialPort>

#include "platform/events.h"

namespace platform {

struct Serial::Impl {
    QSerialPort port;
    std::string device;
    HandlerGate dataGate;
};

Serial::Serial() : impl_(std::make_unique<Impl>()) {
    QObject::connect(&impl_->port, &QSerialPort::readyRead, [this] {
        impl_->dataGate.run([this] {
            if (DataAvailable) DataAvailable();
        });
    });
    QObject::connect(
        &impl_->port, &QSerialPort::errorOccurred, [this](QSerialPort::SerialPortError error) {
            // A vanished device keeps reporting read errors in a tight loop while the port stays
            // open: close it and say so once. Refused line settings (DTR on a pseudo-terminal) are
            // harmless.
            if (error != QSerialPort::ReadError && error != QSerialPort::ResourceError &&
                error != QSerialPort::WriteError) {
                return;
            }
            if (!impl_->port.isOpen()) return;
            std::string reason = "Serial port " + impl_->device +
                                 " failed: " + impl_->port.errorString().toStdString();
            impl_->port.close();
            if (Error) Error(reason);
        });
}

Serial::~Serial() = default;

void Serial::setSerialPort(const std::string& device) {
    if (impl_->port.isOpen()) impl_->port.close();
    impl_->device = device;
    impl_->port.setPortName(QString::fromStdString(device));
}

const std::string& Serial::serialPort() const {
    return impl_->device;
}

bool Serial::Open() {
    QSerialPort& port = impl_->port;
    if (port.isOpen()) return true;
    if (impl_->device.empty() || !port.open(QIODevice::ReadWrite)) return false;
    port.setBaudRate(57600);
    port.setDataBits(QSerialPort::Data8);
    port.setParity(QSerialPort::NoParity);
    port.setStopBits(QSerialPort::OneStop);
    port.setFlowControl(QSerialPort::NoFlowControl);
    port.setDataTerminalReady(false);
    port.clearError();
    return true;
}

void Serial::Close() {
    impl_->port.close();
}

bool Serial::IsOpen() const {
    return impl_->port.isOpen();
}

void Serial::Write(std::string_view bytes) {
    if (!impl_->port.isOpen()) return;
    impl_->port.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

std::string Serial::ReadAll() {
    QByteArray data = impl_->port.readAll();
    return std::string(data.constData(), static_cast<size_t>(data.size()));
}

}  // namespace platform
