#include "platform/serial.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "platform/system.h"
#include "support/pty_pair.h"
#include "support/temp_dir.h"

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

// Packets of 518 bytes, each filled with its number: a cut or mixed packet shows.
TEST(Serial, ADeviceThatStopsReadingGetsOnlyWholePacketsAndTheLastOne) {
    constexpr size_t size = 518;
    PtyPair pty;
    platform::Serial serial;
    serial.setSerialPort(pty.devicePath());
    ASSERT_TRUE(serial.Open());
    size_t mostPending = 0;
    for (int i = 1; i <= 10000; ++i) {
        serial.WriteLatest(std::string(size, static_cast<char>(i % 256)));
        mostPending = std::max(mostPending, serial.PendingBytes());
    }
    EXPECT_LE(mostPending, 2 * size);  // the rest of the packet begun, and the newest
    const std::string wire = pty.readFor(300);
    ASSERT_EQ(wire.size() % size, 0u);
    for (size_t at = 0; at < wire.size(); at += size)
        ASSERT_EQ(std::min(wire.find_first_not_of(wire[at], at), wire.size()), at + size) << at;
    EXPECT_EQ(static_cast<uint8_t>(wire.back()), 10000 % 256);
}

// A handler that does not read leaves the rest in the device, not in an ever-growing buffer.
TEST(Serial, ReadingStopsWhileTheBoundLiesUnread) {
    constexpr size_t chunk = 4096, bound = 65536;
    PtyPair pty;
    platform::Serial serial;
    int wakeUps = 0;
    serial.DataAvailable = [&] { ++wakeUps; };
    serial.setSerialPort(pty.devicePath());
    ASSERT_TRUE(serial.Open());
    std::string sent;
    for (int i = 0; sent.size() < bound + 2 * chunk; ++i) {
        sent += std::string(chunk, static_cast<char>('a' + i));
        pty.write(std::string_view(sent).substr(sent.size() - chunk));
        if (sent.size() <= bound) {
            int before = wakeUps;
            ASSERT_TRUE(waitUntil([&] { return wakeUps > before; }));
        }
    }
    waitUntil([] { return false; }, 100);
    std::string received = serial.ReadAll();
    EXPECT_EQ(received.size(), bound);
    EXPECT_TRUE(waitUntil([&] {
        received += serial.ReadAll();
        return received.size() >= sent.size();
    }));
    EXPECT_EQ(received, sent);
}

TEST(Serial, MissingDeviceDoesNotOpen) {
    platform::Serial serial;
    EXPECT_FALSE(serial.Open());
    serial.setSerialPort("/dev/does-not-exist");
    EXPECT_FALSE(serial.Open());
    serial.Write("ignored");  // writing to a closed port is harmless
}

TEST(Serial, UnpluggedDeviceIsLostOnceThenWaitedFor) {
    auto pty = std::make_unique<PtyPair>();
    // By a link: another test's new pseudo-terminal may take the freed number at once.
    testsupport::TempDir folder;
    std::filesystem::create_symlink(pty->devicePath(), folder.path() / "interface");
    platform::Serial serial;
    std::vector<platform::PortState> changes;
    serial.StateChanged = [&](platform::PortState) { changes.push_back(serial.State()); };
    serial.setSerialPort((folder.path() / "interface").string());
    ASSERT_TRUE(serial.Open());
    pty->closeMaster();
    EXPECT_TRUE(waitUntil([&] { return serial.State() == platform::PortState::waiting; }));
    serial.Write("ignored");  // writing while the device is away is harmless
    waitUntil([] { return false; }, 100);
    EXPECT_EQ(changes, (std::vector{platform::PortState::open, platform::PortState::waiting}));
    serial.setSerialPort("");  // a port the user moved away from is not waited for
    EXPECT_EQ(serial.State(), platform::PortState::closed);
}

TEST(System, SerialPortListComesFromTheEnvironmentWhenSet) {
    setenv("BRANNIC_SERIAL_PORTS", "/dev/pts/7::/dev/pts/9", 1);
    EXPECT_EQ(platform::System::SerialPorts(),
              (std::vector<std::string>{"/dev/pts/7", "/dev/pts/9"}));
    EXPECT_EQ(platform::System::SerialPortCount(), 2);
    unsetenv("BRANNIC_SERIAL_PORTS");
}

TEST(System, SerialPortsShowTheirStableNameBesideTheNode) {
    PtyPair pty;
    testsupport::TempDir byId;
    const std::string link = (byId.path() / "usb-ENTTEC_DMX_USB_PRO_EN1-if00-port0").string();
    std::filesystem::create_symlink("/dev/null", byId.path() / "another-adapter");
    std::filesystem::create_symlink(pty.devicePath(), link);
    platform::System::SerialPortName port{
        pty.devicePath(), platform::System::StableSerialName(pty.devicePath(), byId.path())};
    EXPECT_EQ(port.stableName, link);
    EXPECT_EQ(port.Name(), pty.devicePath() + " (" + link + ")");
    EXPECT_EQ(port.Path(), link);
    EXPECT_EQ(platform::System::StableSerialName("/dev/null", "/no/such/folder"), "");
}
