#include "network/osc_socket.h"

#include <fcntl.h>
#include <lo/lo.h>
#include <lo/lo_throw.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace platform {

namespace {

OscFault faultOf(int libraryError) {
    switch (libraryError) {
        case LO_EPAD:
            return OscFault::BadPadding;
        case LO_ENOTYPE:
        case LO_EINVALIDTYPE:
        case LO_EBADTYPE:
            return OscFault::BadTypeTag;
        case LO_EINVALIDBUND:
        case LO_EINVALIDTIME:
            return OscFault::BadBundle;
        // An argument that does not fit is nearly always one cut off by the end of the datagram.
        case LO_ESIZE:
        case LO_ETERM:
        case LO_EINVALIDARG:
            return OscFault::CutShort;
        default:
            return OscFault::NotOsc;
    }
}

OscArgument argumentOf(char type, const lo_arg* value) {
    switch (type) {
        case LO_STRING:
            return std::string(&value->s);
        case LO_INT32:
            return value->i;
        case LO_FLOAT:
            return value->f;
        default:
            return OscOtherType{type};
    }
}

// The length of the next datagram and whether it can be OSC at all (a message starts with its
// address, a bundle with "#bundle"), without taking it off the socket. Negative when none waits.
ssize_t peekDatagram(int fd, bool& looksLikeOsc) {
    char first = 0;
    ssize_t length;
    do length = ::recv(fd, &first, 1, MSG_PEEK | MSG_TRUNC | MSG_DONTWAIT);
    while (length < 0 && errno == EINTR);
    looksLikeOsc = length > 0 && (first == '/' || first == '#');
    return length;
}

// liblo retries a port in use sixteen times and leaves a socket open each time; a bind of our
// own first tells the reason without that.
std::string portTaken(uint16_t port) {
    if (port == 0) return {};
    const int probe = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (probe < 0) return std::strerror(errno);
    sockaddr_in at{};
    at.sin_family = AF_INET;
    at.sin_port = htons(port);
    at.sin_addr.s_addr = htonl(INADDR_ANY);
    std::string reason;
    if (::bind(probe, reinterpret_cast<sockaddr*>(&at), sizeof at) != 0)
        reason = std::strerror(errno);
    ::close(probe);
    return reason;
}

void dropDatagram(int fd) {
    char ignored;
    ::recv(fd, &ignored, 1, MSG_DONTWAIT);
}

}  // namespace

struct OscSocket::Impl {
    explicit Impl(OscSocket& owner) : owner(owner) {}
    ~Impl() { release(); }

    OscSocket& owner;
    lo_server server = nullptr;
    int fd = -1;
    uint16_t port = 0;
    std::unique_ptr<QSocketNotifier> notifier;
    bool receiving = false;
    bool closeRequested = false;
    // liblo reports through one handler without a context while a server is being made.
    static inline Impl* opening = nullptr;
    std::string openError;

    static void onLibraryError(int number, const char* text, const char*) {
        auto* impl = static_cast<Impl*>(lo_error_get_context());
        if (!impl) impl = opening;
        if (!impl) return;
        if (!impl->server) {
            impl->openError = text;
        } else if (impl->receiving && impl->owner.faulted) {
            impl->owner.faulted(faultOf(number));
        }
    }

    static int onMessage(const char* path, const char* types, lo_arg** argv, int argc,
                         lo_message message, void* self) {
        static_cast<Impl*>(self)->answer(path, types, argv, argc, message);
        return 0;  // handled: liblo then sends nothing of its own
    }

    void answer(const char* path, const char* types, lo_arg** argv, int argc, lo_message message) {
        if (!owner.received || closeRequested) return;
        OscMessage taken{path, {}};
        for (int i = 0; i < argc; ++i) taken.arguments.push_back(argumentOf(types[i], argv[i]));
        lo_address source = lo_message_get_source(message);
        const char* host = lo_address_get_hostname(source);
        const char* sourcePort = lo_address_get_port(source);
        OscSender sender{host ? host : "", uint16_t(sourcePort ? std::atoi(sourcePort) : 0)};
        OscReply reply = owner.received(taken, sender);
        if (reply.address.empty() || !server) return;
        lo_message out = lo_message_new();
        lo_message_add_string(out, reply.text.c_str());
        // The socket does not block: when its buffer is full the reply is lost, not waited for.
        lo_send_message_from(source, server, reply.address.c_str(), out);
        lo_message_free(out);
    }

    std::string open(uint16_t wanted) {
        release();
        openError = portTaken(wanted);
        if (!openError.empty()) return openError;
        opening = this;
        const std::string service = std::to_string(wanted);
        server = lo_server_new_with_proto(service.c_str(), LO_UDP, onLibraryError);
        opening = nullptr;
        if (!server) return openError.empty() ? "cannot open the UDP port" : openError;
        lo_server_set_error_context(server, this);
        lo_server_enable_queue(server, 0, 0);
        lo_server_max_msg_size(server, int(largestDatagram));
        lo_server_add_method(server, nullptr, nullptr, onMessage, this);
        fd = lo_server_get_socket_fd(server);
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
        ::fcntl(fd, F_SETFD, FD_CLOEXEC);
        port = boundPort(fd);
        notifier = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
        QObject::connect(notifier.get(), &QSocketNotifier::activated, [this] { onReadable(); });
        return {};
    }

    static uint16_t boundPort(int fd) {
        sockaddr_storage bound{};
        socklen_t size = sizeof bound;
        if (::getsockname(fd, reinterpret_cast<sockaddr*>(&bound), &size) != 0) return 0;
        if (bound.ss_family == AF_INET6)
            return ntohs(reinterpret_cast<sockaddr_in6*>(&bound)->sin6_port);
        return ntohs(reinterpret_cast<sockaddr_in*>(&bound)->sin_port);
    }

    void onReadable() {
        receiving = true;
        const auto until = std::chrono::steady_clock::now() + workPerWake;
        while (!closeRequested && std::chrono::steady_clock::now() < until) {
            bool looksLikeOsc = false;
            const ssize_t length = peekDatagram(fd, looksLikeOsc);
            if (length < 0) break;
            if (!looksLikeOsc || size_t(length) > largestDatagram) {
                dropDatagram(fd);
                if (owner.faulted)
                    owner.faulted(looksLikeOsc ? OscFault::TooLarge : OscFault::NotOsc);
                continue;
            }
            lo_server_recv_noblock(server, 0);
        }
        if (owner.wakeDone) owner.wakeDone();
        receiving = false;
        if (closeRequested) release();
    }

    void close() {
        if (receiving) {
            closeRequested = true;
            return;
        }
        release();
    }

    void release() {
        // The notifier may be inside its own signal right now: it goes when control returns.
        if (notifier) {
            notifier->setEnabled(false);
            notifier.release()->deleteLater();
        }
        if (server) lo_server_free(server);
        server = nullptr;
        fd = -1;
        port = 0;
        closeRequested = false;
    }
};

OscSocket::OscSocket() : impl_(std::make_unique<Impl>(*this)) {}
OscSocket::~OscSocket() = default;

std::string OscSocket::open(uint16_t port) {
    return impl_->open(port);
}

void OscSocket::close() {
    impl_->close();
}

bool OscSocket::isOpen() const {
    return impl_->server && !impl_->closeRequested;
}

uint16_t OscSocket::port() const {
    return isOpen() ? impl_->port : 0;
}

}  // namespace platform
