#include "support/osc_reply_client.h"

#include <QCoreApplication>
#include <chrono>

namespace testsupport {

namespace {

int onReply(const char* path, const char* types, lo_arg** argv, int argc, lo_message, void* self) {
    if (argc == 1 && types[0] == LO_STRING)
        static_cast<OscReplyClient*>(self)->replies.push_back(std::string(path) + " " +
                                                              &argv[0]->s);
    return 0;
}

}  // namespace

void runOscUntil(const std::function<bool()>& done, lo_server client) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!done() && std::chrono::steady_clock::now() < end) {
        QCoreApplication::processEvents();
        if (client) lo_server_recv_noblock(client, 1);
    }
}

OscReplyClient::OscReplyClient() : server(lo_server_new_with_proto("0", LO_UDP, nullptr)) {
    lo_server_add_method(server, nullptr, nullptr, onReply, this);
}

OscReplyClient::~OscReplyClient() {
    lo_server_free(server);
}

std::string OscReplyClient::send(int port, const char* address, int32_t value) {
    const size_t before = replies.size();
    lo_address target = lo_address_new("127.0.0.1", std::to_string(port).c_str());
    lo_send_from(target, server, LO_TT_IMMEDIATE, address, "i", value);
    lo_address_free(target);
    runOscUntil([&] { return replies.size() > before; }, server);
    return replies.size() > before ? replies.back() : std::string();
}

}  // namespace testsupport
