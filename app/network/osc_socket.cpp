#include "network/osc_socket.h"

#include <fcntl.h>
#include <lo/lo.h>
#include <lo/lo_throw.h>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "network/socket_address.h"

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

// A datagram and where it came from. length is its whole length, also when it did not fit;
// negative when none waits.
struct Datagram {
    ssize_t length = -1;
    sockaddr_storage from{};
    socklen_t fromLength = sizeof from;
};

Datagram receive(int fd, std::vector<char>& buffer) {
    Datagram datagram;
    do {
        datagram.fromLength = sizeof datagram.from;
        datagram.length =
            ::recvfrom(fd, buffer.data(), buffer.size(), MSG_TRUNC | MSG_DONTWAIT,
                       reinterpret_cast<sockaddr*>(&datagram.from), &datagram.fromLength);
    } while (datagram.length < 0 && errno == EINTR);
    return datagram;
}

// A message starts with its address, a bundle with "#bundle".
bool looksLikeOsc(const Datagram& datagram, const std::vector<char>& buffer) {
    return datagram.length > 0 && (buffer[0] == '/' || buffer[0] == '#');
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

// liblo is built for IPv4 alone here: the IPv6 socket is the console's own, on the same port.
// -1 without an error where the machine has no IPv6.
int openIpv6(uint16_t port, std::string& error) {
    const int fd = ::socket(AF_INET6, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        if (errno != EAFNOSUPPORT) error = std::strerror(errno);
        return -1;
    }
    const int only = 1;
    ::setsockopt(fd, IPPROTO_IPV6, IPV6_V6ONLY, &only, sizeof only);
    sockaddr_in6 at{};
    at.sin6_family = AF_INET6;
    at.sin6_port = htons(port);
    at.sin6_addr = in6addr_any;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&at), sizeof at) == 0) return fd;
    if (errno != EADDRNOTAVAIL) error = std::strerror(errno);
    ::close(fd);
    return -1;
}

uint16_t portOf(const sockaddr_storage& address) {
    if (address.ss_family == AF_INET6)
        return ntohs(reinterpret_cast<const sockaddr_in6&>(address).sin6_port);
    return ntohs(reinterpret_cast<const sockaddr_in&>(address).sin_port);
}

// One socket and the notifier that wakes for it.
struct Listener {
    int fd = -1;
    std::unique_ptr<QSocketNotifier> notifier;
};

}  // namespace

struct OscSocket::Impl {
    explicit Impl(OscSocket& owner) : owner(owner) {}
    ~Impl() { release(); }

    OscSocket& owner;
    lo_server server = nullptr;
    Listener ipv4, ipv6;
    uint16_t port = 0;
    // The datagram being read, and the socket it came in by.
    std::vector<char> buffer = std::vector<char>(largestDatagram);
    Datagram source;
    int sourceFd = -1;
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

    static int onMessage(const char* path, const char* types, lo_arg** argv, int argc, lo_message,
                         void* self) {
        static_cast<Impl*>(self)->answer(path, types, argv, argc);
        return 0;  // handled: liblo then sends nothing of its own
    }

    void answer(const char* path, const char* types, lo_arg** argv, int argc) {
        if (!owner.received || closeRequested) return;
        OscMessage taken{path, {}};
        for (int i = 0; i < argc; ++i) taken.arguments.push_back(argumentOf(types[i], argv[i]));
        const OscSender sender{addressText(source.from), portOf(source.from)};
        send(sourceFd, source.from, source.fromLength, owner.received(taken, sender));
    }

    // To the datagram being read when it is the sender's (the address exactly as it came), else
    // to the sender's address by the socket of its family.
    void replyTo(const OscSender& sender, const OscReply& reply) {
        if (receiving && addressText(source.from) == sender.host && portOf(source.from) == sender.port)
            return send(sourceFd, source.from, source.fromLength, reply);
        sockaddr_storage to{};
        auto* to4 = reinterpret_cast<sockaddr_in*>(&to);
        auto* to6 = reinterpret_cast<sockaddr_in6*>(&to);
        if (::inet_pton(AF_INET, sender.host.c_str(), &to4->sin_addr) == 1) {
            to4->sin_family = AF_INET;
            to4->sin_port = htons(sender.port);
            send(ipv4.fd, to, sizeof *to4, reply);
        } else if (::inet_pton(AF_INET6, sender.host.c_str(), &to6->sin6_addr) == 1) {
            to6->sin6_family = AF_INET6;
            to6->sin6_port = htons(sender.port);
            send(ipv6.fd, to, sizeof *to6, reply);
        }
    }

    void send(int fd, const sockaddr_storage& to, socklen_t toLength, const OscReply& reply) {
        if (reply.address.empty() || !server || fd < 0) return;
        lo_message out = lo_message_new();
        lo_message_add_string(out, reply.text.c_str());
        size_t length = 0;
        void* bytes = lo_message_serialise(out, reply.address.c_str(), nullptr, &length);
        // The socket does not block: when its buffer is full the reply is lost, not waited for.
        if (bytes)
            ::sendto(fd, bytes, length, MSG_DONTWAIT, reinterpret_cast<const sockaddr*>(&to),
                     toLength);
        std::free(bytes);
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
        lo_server_add_method(server, nullptr, nullptr, onMessage, this);
        const int fd = lo_server_get_socket_fd(server);
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
        ::fcntl(fd, F_SETFD, FD_CLOEXEC);
        port = boundPort(fd);
        std::string error;
        const int fd6 = openIpv6(port, error);
        if (!error.empty()) {
            release();
            return error;
        }
        listen(ipv4, fd);
        if (fd6 >= 0) listen(ipv6, fd6);
        return {};
    }

    void listen(Listener& listener, int fd) {
        listener.fd = fd;
        listener.notifier = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
        QObject::connect(listener.notifier.get(), &QSocketNotifier::activated,
                         [this, fd] { onReadable(fd); });
    }

    static uint16_t boundPort(int fd) {
        sockaddr_storage bound{};
        socklen_t size = sizeof bound;
        if (::getsockname(fd, reinterpret_cast<sockaddr*>(&bound), &size) != 0) return 0;
        if (bound.ss_family == AF_INET6)
            return ntohs(reinterpret_cast<sockaddr_in6*>(&bound)->sin6_port);
        return ntohs(reinterpret_cast<sockaddr_in*>(&bound)->sin_port);
    }

    // liblo reads the datagram the console took off the socket, so the reply knows the sender
    // whichever family it came in by.
    void onReadable(int fd) {
        receiving = true;
        const auto until = std::chrono::steady_clock::now() + workPerWake;
        while (!closeRequested && std::chrono::steady_clock::now() < until) {
            source = receive(fd, buffer);
            if (source.length < 0) break;
            const bool osc = looksLikeOsc(source, buffer);
            if (!osc || size_t(source.length) > largestDatagram) {
                if (owner.faulted) owner.faulted(osc ? OscFault::TooLarge : OscFault::NotOsc);
                continue;
            }
            sourceFd = fd;
            lo_server_dispatch_data(server, buffer.data(), size_t(source.length));
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
        for (Listener* listener : {&ipv4, &ipv6}) {
            // The notifier may be inside its own signal right now: it goes when control returns.
            if (listener->notifier) {
                listener->notifier->setEnabled(false);
                listener->notifier.release()->deleteLater();
            }
        }
        // liblo closes the IPv4 socket, the console its own.
        if (ipv6.fd >= 0) ::close(ipv6.fd);
        ipv4.fd = ipv6.fd = -1;
        if (server) lo_server_free(server);
        server = nullptr;
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

void OscSocket::reply(const OscSender& sender, const OscReply& reply) {
    impl_->replyTo(sender, reply);
}

bool OscSocket::isOpen() const {
    return impl_->server && !impl_->closeRequested;
}

uint16_t OscSocket::port() const {
    return isOpen() ? impl_->port : 0;
}

}  // namespace platform
