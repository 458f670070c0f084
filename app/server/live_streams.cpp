#include "server/live_streams.h"

#include <algorithm>
#include <vector>

#include "dmx/output_status.h"
#include "platform/events.h"
#include "platform/tcp.h"
#include "server/live_messages.h"

namespace server {

namespace {

// A few phones and desktops at once; a newcomer past this ends the oldest stream, which is the
// likeliest to have a reader that left without a word.
constexpr size_t maxStreams = 32;
// A reader this far behind is dropped: nothing is buffered for it without bound.
constexpr size_t maxUnsentBytes = 64 * 1024;
constexpr int heartbeatMs = 15000;

struct Stream {
    platform::TCPSocket* socket;
    // Written since the socket last reported all its bytes sent.
    size_t unsent = 0;
};

// Oldest first.
std::vector<Stream> streams;
bool heartbeatPending = false;
bool watchingOutputs = false;

Stream* find(const platform::TCPSocket& socket) {
    auto found = std::find_if(streams.begin(), streams.end(),
                              [&](const Stream& stream) { return stream.socket == &socket; });
    return found == streams.end() ? nullptr : &*found;
}

void forget(const platform::TCPSocket& socket) {
    std::erase_if(streams, [&](const Stream& stream) { return stream.socket == &socket; });
}

void send(platform::TCPSocket& socket, std::string_view bytes) {
    Stream* stream = find(socket);
    if (!stream) return;
    if (stream->unsent + bytes.size() > maxUnsentBytes) {
        forget(socket);
        socket.Close();
        return;
    }
    stream->unsent += bytes.size();
    socket.Write(bytes);
}

// Writing is how a stream whose reader has gone is found out, even when no command runs.
void heartbeatLater() {
    if (heartbeatPending || streams.empty()) return;
    heartbeatPending = true;
    platform::singleShot(heartbeatMs, [] {
        heartbeatPending = false;
        broadcastEvent(eventStreamHeartbeat);
        heartbeatLater();
    });
}

void watchOutputs() {
    if (watchingOutputs) return;
    watchingOutputs = true;
    dmx::outputStates().watch(
        [](const dmx::OutputState& output) { broadcastEvent(outputEvent(output)); });
}

}  // namespace

void openEventStream(platform::ServerSocket& listener, platform::TCPSocket& socket) {
    if (streams.size() >= maxStreams) {
        platform::TCPSocket& oldest = *streams.front().socket;
        forget(oldest);
        oldest.Close();
    }
    listener.Exempt(socket);
    streams.push_back({&socket});
    socket.SendComplete = [&socket](bool) {
        if (Stream* stream = find(socket)) stream->unsent = 0;
    };
    socket.DataAvailable = [&socket] { socket.ReadAll(); };
    socket.Error = [&socket] { forget(socket); };
    send(socket, eventStreamHead);
    watchOutputs();
    heartbeatLater();
}

void broadcastEvent(std::string_view event) {
    // A write that fails ends its stream at once, so the list may shrink under the loop.
    std::vector<platform::TCPSocket*> sockets;
    for (const Stream& stream : streams) sockets.push_back(stream.socket);
    for (platform::TCPSocket* socket : sockets) send(*socket, event);
}

void closeEventStreams() {
    for (const Stream& stream : std::exchange(streams, {})) stream.socket->Disconnect();
}

}  // namespace server
