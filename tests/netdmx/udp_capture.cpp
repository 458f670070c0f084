#include "netdmx/udp_capture.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QProcess>
#include <chrono>
#include <fstream>
#include <sstream>

#include "support/temp_dir.h"

namespace testsupport {

int64_t steadyMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

UdpCapture::UdpCapture(uint16_t port, const std::string& group) {
    socket_ = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    sockaddr_in at{};
    at.sin_family = AF_INET;
    at.sin_port = htons(port);
    at.sin_addr.s_addr = group.empty() ? htonl(INADDR_LOOPBACK) : htonl(INADDR_ANY);
    if (::bind(socket_, reinterpret_cast<sockaddr*>(&at), sizeof at) != 0) {
        ::close(socket_);
        socket_ = -1;
        return;
    }
    if (!group.empty()) {
        ip_mreq membership{};
        inet_pton(AF_INET, group.c_str(), &membership.imr_multiaddr);
        membership.imr_interface.s_addr = htonl(INADDR_LOOPBACK);
        setsockopt(socket_, IPPROTO_IP, IP_ADD_MEMBERSHIP, &membership, sizeof membership);
    }
}

UdpCapture::~UdpCapture() {
    if (socket_ >= 0) ::close(socket_);
}

void UdpCapture::take() {
    for (;;) {
        std::vector<uint8_t> bytes(2048);
        ssize_t size = ::recv(socket_, bytes.data(), bytes.size(), MSG_DONTWAIT);
        if (size < 0) return;
        bytes.resize(size_t(size));
        datagrams.push_back({std::move(bytes), steadyMs()});
    }
}

void receiveFor(const std::vector<UdpCapture*>& captures, int milliseconds,
                const std::function<bool()>& done) {
    int64_t end = steadyMs() + milliseconds;
    while (steadyMs() < end && !(done && done())) {
        QCoreApplication::processEvents();
        std::vector<pollfd> sockets;
        for (UdpCapture* capture : captures) sockets.push_back({capture->socket_, POLLIN, 0});
        if (::poll(sockets.data(), sockets.size(), 1) > 0) {
            for (UdpCapture* capture : captures) capture->take();
        }
    }
}

namespace {

void put16(std::string& out, uint16_t value) {
    out += char(value >> 8);
    out += char(value);
}

void putLittle32(std::string& out, uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) out += char(value >> shift);
}

// A pcap file of raw IPv4 packets from and to 127.0.0.1; checksums left zero, which UDP allows
// and tshark does not check by default.
std::string pcapFile(const std::vector<Datagram>& datagrams, uint16_t port) {
    std::string out;
    for (uint32_t word : {0xa1b2c3d4u, 0x00040002u, 0u, 0u, 65535u, 101u}) putLittle32(out, word);
    for (const Datagram& datagram : datagrams) {
        std::string ip;
        uint16_t udpLength = uint16_t(8 + datagram.bytes.size());
        ip += "\x45";
        ip += '\0';
        put16(ip, uint16_t(20 + udpLength));
        ip += std::string(4, '\0');  // identification, fragment
        ip += char(64);
        ip += char(17);
        ip += std::string(2, '\0');
        ip += std::string("\x7f\0\0\x01\x7f\0\0\x01", 8);
        put16(ip, 40000);
        put16(ip, port);
        put16(ip, udpLength);
        put16(ip, 0);
        ip.append(datagram.bytes.begin(), datagram.bytes.end());
        putLittle32(out, uint32_t(datagram.receivedMs / 1000));
        putLittle32(out, uint32_t(datagram.receivedMs % 1000 * 1000));
        putLittle32(out, uint32_t(ip.size()));
        putLittle32(out, uint32_t(ip.size()));
        out += ip;
    }
    return out;
}

}  // namespace

std::vector<std::vector<std::string>> tsharkFields(const std::vector<Datagram>& datagrams,
                                                   uint16_t port,
                                                   const std::vector<std::string>& fields) {
    TempDir folder;
    std::string file = (folder.path() / "capture.pcap").string();
    std::ofstream(file, std::ios::binary) << pcapFile(datagrams, port);
    QStringList arguments = {"-r",
                             QString::fromStdString(file),
                             "-T",
                             "fields",
                             "-E",
                             "separator=|",
                             "-E",
                             "occurrence=f",
                             "--enable-heuristic",
                             "acn",
                             "-o",
                             "acn.dmx_enable:TRUE"};
    for (const std::string& field : fields) arguments << "-e" << QString::fromStdString(field);
    QProcess tshark;
    tshark.start("tshark", arguments);
    std::vector<std::vector<std::string>> rows;
    if (!tshark.waitForFinished(30000)) return rows;
    std::stringstream lines(tshark.readAllStandardOutput().toStdString());
    for (std::string line; std::getline(lines, line);) {
        std::vector<std::string> row;
        std::stringstream cells(line);
        for (std::string cell; std::getline(cells, cell, '|');) row.push_back(cell);
        row.resize(fields.size());
        rows.push_back(row);
    }
    return rows;
}

}  // namespace testsupport
