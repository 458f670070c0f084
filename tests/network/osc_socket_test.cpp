#include "network/osc_socket.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <lo/lo.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QProcess>
#include <cstdlib>
#include <filesystem>

#include "support/osc_reply_client.h"

namespace {

using platform::OscFault;
using platform::OscMessage;
using platform::OscReply;
using platform::OscSender;

using testsupport::runOscUntil;

void sendRaw(uint16_t port, const std::string& bytes) {
    const int out = ::socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(port);
    to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::sendto(out, bytes.data(), bytes.size(), 0, reinterpret_cast<sockaddr*>(&to), sizeof to);
    ::close(out);
}

struct OscSocketTest : ::testing::Test {
    void SetUp() override {
        ASSERT_EQ(socket.open(0), "");
        ASSERT_NE(socket.port(), 0);
        socket.received = [this](const OscMessage& message, const OscSender& sender) {
            messages.push_back(message);
            this->sender = sender;
            return OscReply{"/brannic/out/result", "took " + message.address};
        };
        socket.faulted = [this](OscFault fault) { faults.push_back(fault); };
    }

    platform::OscSocket socket;
    std::vector<OscMessage> messages;
    OscSender sender;
    std::vector<OscFault> faults;
};

// Replies go to the sender's own port, so a liblo client of the test's own hears them there:
// oscdump cannot send, and oscsend sends from a port of its own that nobody listens on.
TEST_F(OscSocketTest, BundleMessagesComeAtOnceInOrderEachWithItsReply) {
    testsupport::OscReplyClient client;
    lo_timetag inAnHour;
    lo_timetag_now(&inAnHour);
    inAnHour.sec += 3600;
    lo_bundle bundle = lo_bundle_new(inAnHour);
    lo_bundle_add_message(bundle, "/brannic/go", lo_message_new());
    lo_bundle_add_message(bundle, "/brannic/back", lo_message_new());
    lo_address target = lo_address_new("127.0.0.1", std::to_string(socket.port()).c_str());
    lo_send_bundle_from(target, client.server, bundle);
    runOscUntil([&] { return client.replies.size() == 2; }, client.server);
    lo_bundle_free_recursive(bundle);
    lo_address_free(target);
    EXPECT_EQ(client.replies, (std::vector<std::string>{"/brannic/out/result took /brannic/go",
                                                        "/brannic/out/result took /brannic/back"}));
}

TEST_F(OscSocketTest, UnreadablePacketsChangeNothingAndOscsendIsHeardAfterThem) {
    if (std::string(BRANNIC_OSCSEND).empty()) GTEST_SKIP() << "oscsend (liblo-tools) missing";
    sendRaw(socket.port(), "GET / HTTP/1.0\r\n\r\n");
    // "/brannic/gm", ",i" and two of the integer's four bytes; then a type tag without its comma.
    sendRaw(socket.port(), std::string("/brannic/gm\0,i\0\0\0\0", 18));
    sendRaw(socket.port(), std::string("/brannic/gm\0i\0\0\0\0\0\0\1", 20));
    sendRaw(socket.port(), "/" + std::string(65506, 'x'));  // as large as UDP allows
    runOscUntil([&] { return faults.size() == 4; });
    EXPECT_EQ(faults, (std::vector<OscFault>{OscFault::NotOsc, OscFault::CutShort,
                                             OscFault::BadTypeTag, OscFault::TooLarge}));
    EXPECT_TRUE(messages.empty());
    QProcess oscsend;
    oscsend.start(BRANNIC_OSCSEND, {"osc.udp://127.0.0.1:" + QString::number(socket.port()),
                                    "/brannic/chan/12", "f", "33.5"});
    runOscUntil([&] { return !messages.empty(); });
    oscsend.waitForFinished(5000);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].address, "/brannic/chan/12");
    EXPECT_EQ(std::get<float>(messages[0].arguments.at(0)), 33.5f);
    EXPECT_EQ(sender.host, "127.0.0.1");
}

// liblo here speaks IPv4 alone, so the test sends a message liblo made from a socket of its own.
TEST_F(OscSocketTest, AMessageToIpv6LoopbackIsTakenAndAnsweredThere) {
    const int client = ::socket(AF_INET6, SOCK_DGRAM, 0);
    if (client < 0) GTEST_SKIP() << "no IPv6 on this machine";
    sockaddr_in6 to{};
    to.sin6_family = AF_INET6;
    to.sin6_port = htons(socket.port());
    to.sin6_addr = in6addr_loopback;
    lo_message message = lo_message_new();
    lo_message_add_int32(message, 1);
    size_t length = 0;
    void* bytes = lo_message_serialise(message, "/brannic/blackout", nullptr, &length);
    ::sendto(client, bytes, length, 0, reinterpret_cast<sockaddr*>(&to), sizeof to);
    std::free(bytes);
    lo_message_free(message);
    char reply[256];
    ssize_t replied = -1;
    runOscUntil([&] { return (replied = ::recv(client, reply, sizeof reply, MSG_DONTWAIT)) > 0; });
    ::close(client);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(sender.host, "::1");
    ASSERT_GT(replied, 0);
    EXPECT_EQ(std::string(reply), "/brannic/out/result");
    EXPECT_NE(std::string_view(reply, size_t(replied)).find("took /brannic/blackout"),
              std::string_view::npos);
}

// A reply that waited for its action goes to the sender after its message was done with.
TEST_F(OscSocketTest, AReplySentLaterReachesTheSender) {
    testsupport::OscReplyClient client;
    socket.received = [this](const OscMessage& message, const OscSender& from) {
        messages.push_back(message);
        sender = from;
        return OscReply{};
    };
    lo_address target = lo_address_new("127.0.0.1", std::to_string(socket.port()).c_str());
    lo_send_from(target, client.server, LO_TT_IMMEDIATE, "/brannic/go", "");
    runOscUntil([&] { return !messages.empty(); });
    lo_address_free(target);
    socket.reply(sender, {"/brannic/out/result", "go: cue 1"});
    runOscUntil([&] { return !client.replies.empty(); }, client.server);
    EXPECT_EQ(client.replies, std::vector<std::string>{"/brannic/out/result go: cue 1"});
}

size_t openDescriptors() {
    return size_t(std::distance(std::filesystem::directory_iterator("/proc/self/fd"),
                                std::filesystem::directory_iterator()));
}

TEST_F(OscSocketTest, PortInUseIsRefusedWithoutLeakingDescriptors) {
    platform::OscSocket second;
    const size_t before = openDescriptors();
    EXPECT_EQ(second.open(socket.port()), "Address already in use");
    EXPECT_FALSE(second.isOpen());
    EXPECT_EQ(openDescriptors(), before);
}

}  // namespace
