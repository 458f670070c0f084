#include "platform/serial.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/system.h"
#include "support/pty_pair.h"

using testsupport::PtyPair;
using testsupport::waitUntil;

TEST(Serial, OpensAPseudoTerminalAndCarriesBytesBothWays) {
    PtyPair pty;
    platform::Serial serial;
    std::string received;
    serial.DataAvailable = [&] { received += serial.ReadAll(); };
    serial.setSerialPort(pty.devicePath());
    ASSERT_TRUE(serial.Open());  // the refused DTR setting of a pseudo-terminal is no failure
    EXPECT_TRUE(serial.Open());  // already open
    std::string frame("\x7e\x06\x01\x00\x00\xe7", 6);
    serial.Write(frame);
    EXPECT_EQ(pty.readExactly(6), frame);
    pty.write(std::string("\x7e\x03\x05\x00\x2c\x01\x09\x01\x28\xe7", 10));
    EXPECT_TRUE(waitUntil([&] { return received.size() == 10; }));
}

TEST(Serial, ChangingThePortClosesTheOldOne) {
    PtyPair first, second;
    platform::Serial serial;
    serial.setSerialPort(first.devicePath());
    ASSERT_TRUE(serial.Open());
    serial.setSerialPort(second.devicePath());
    EXPECT_FALSE(serial.IsOpen());
    ASSERT_TRUE(serial.Open());
    serial.Write("x");
    EXPECT_EQ(second.readExactly(1), "x");
    EXPECT_EQ(first.readFor(50), "");
}

TEST(Serial, MissingDeviceDoesNotOpen) {
    platform::Serial serial;
    EXPECT_FALSE(serial.Open());
    serial.setSerialPort("/dev/does-not-exist");
    EXPECT_FALSE(serial.Open());
    serial.Write("ignored");  // writing to a closed port is harmless
}

TEST(Serial, UnpluggedInterfaceClosesThePortOnce) {
    auto pty = std::make_unique<PtyPair>();
    platform::Serial serial;
    int errors = 0;
    serial.Error = [&](const std::string&) { ++errors; };
    serial.setSerialPort(pty->devicePath());
    ASSERT_TRUE(serial.Open());
    pty->closeMaster();
    EXPECT_TRUE(waitUntil([&] { return !serial.IsOpen(); }));
    waitUntil([] { return false; }, 100);
    EXPECT_EQ(errors, 1);
}

TEST(System, SerialPortListComesFromTheEnvironmentWhenSet) {
    setenv("BRANNIC_SERIAL_PORTS", "/dev/pts/7::/dev/pts/9", 1);
    EXPECT_EQ(platform::System::SerialPorts(),
              (std::vector<std::string>{"/dev/pts/7", "/dev/pts/9"}));
    EXPECT_EQ(platform::System::SerialPortCount(), 2);
    unsetenv("BRANNIC_SERIAL_PORTS");
}
