// The listener's life: listening on ServerPort, each connection's status, the end of a reply and
// socket errors.
#include "platform/text.h"
#include "platform/timer.h"
#include "server/listener_status.h"
#include "shell/window1.h"
#include "status/status_model.h"

namespace {

// A listener that could not open its port tries again after this long, so a port that frees up
// (or a restarted network) brings the console back without a restart.
constexpr int relistenDelayMs = 1000;

bool listeningOn(const platform::ServerSocket& listener, int32_t port) {
    return listener.IsListening() && listener.Port == port;
}

}  // namespace

void Window1::newListener() {
    // The connections are separate sockets, so a listener that is already on the port stays as it
    // is: clients waiting in its queue are not dropped.
    if (listeningOn(TCPSocket1, ServerPort)) return;
    TCPSocket1.Close();
    TCPSocket1.Port = ServerPort;
    TCPSocket1.Listen();
}

void Window1::TCPSocket1_Connected(platform::TCPSocket& socket) {
    // States: the same client again says nothing new.
    const int64_t now = platform::steadyMs();
    status.setState(status::Source::statusLine, "client",
                    server::connectedCaption(socket.RemoteAddress()), now);
    status.setState(status::Source::serverPort, "port", platform::Str(ServerPort), now);
}

void Window1::TCPSocket1_SendComplete(platform::TCPSocket& socket, bool /*aborted*/) {
    socket.Disconnect();
    newListener();
}

void Window1::TCPSocket1_Error(int32_t code) {
    // A state: a port in use fails again at every retry, and says so once.
    status.setState(status::Source::statusLine, "listener error", server::socketErrorCaption(code),
                    platform::steadyMs());
    if (!listeningOn(TCPSocket1, ServerPort) && !relistenTimer.armed())
        relistenTimer.start(relistenDelayMs);
}
