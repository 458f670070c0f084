#include "server/live_streams.h"

#include <algorithm>

#include "dmx/output_status.h"
#include "network/tcp.h"
#include "server/live_messages.h"

namespace server {

namespace {

// A few phones and desktops at once; a newcomer past this ends the oldest stream, which is the
// likeliest to have a reader that left without a word.
constexpr size_t maxStreams = 32;
// A reader with this much queued behind the event going out is dropped: nothing is buffered for
// it without bound.
constexpr size_t maxBacklogBytes = 64 * 1024;
constexpr int heartbeatMs = 15000;

}  // namespace

EventStreams::EventStreams(dmx::OutputStates& outputs)
    : outputs_(outputs),
      outputsWatcher_(outputs.watch(
          [this](const dmx::OutputState& output) { broadcast(outputEvent(output)); })),
      heartbeat_([this] {
          broadcast(eventStreamHeartbeat);
          heartbeatLater();
      }) {}

EventStreams::~EventStreams() {
    outputs_.unwatch(outputsWatcher_);
}

EventStreams::Stream* EventStreams::find(const platform::TCPSocket& socket) {
    auto found = std::find_if(streams_.begin(), streams_.end(),
                              [&](const Stream& stream) { return stream.socket == &socket; });
    return found == streams_.end() ? nullptr : &*found;
}

void EventStreams::forget(const platform::TCPSocket& socket) {
    std::erase_if(streams_, [&](const Stream& stream) { return stream.socket == &socket; });
}

void EventStreams::send(platform::TCPSocket& socket, std::string_view bytes) {
    Stream* stream = find(socket);
    if (!stream) return;
    // A reader that has been sent everything takes the next event whatever its size: only what
    // queues behind an event still going out counts against the cap.
    const size_t left = socket.BytesLeftToSend();
    const size_t backlog = std::min(left, stream->backlog);
    if (left > 0 && backlog + bytes.size() > maxBacklogBytes) {
        forget(socket);
        socket.Close();
        return;
    }
    stream->backlog = left > 0 ? backlog + bytes.size() : 0;
    socket.Write(bytes);
}

// Writing is how a stream whose reader has gone is found out, even when no command runs.
void EventStreams::heartbeatLater() {
    if (heartbeat_.armed() || streams_.empty()) return;
    heartbeat_.start(heartbeatMs);
}

void EventStreams::open(platform::ServerSocket& listener, platform::TCPSocket& socket) {
    if (streams_.size() >= maxStreams) {
        platform::TCPSocket& oldest = *streams_.front().socket;
        forget(oldest);
        oldest.Close();
    }
    listener.Exempt(socket);
    streams_.push_back({&socket});
    // A stream stays open when all its bytes have gone, unlike a reply.
    socket.SendComplete = nullptr;
    socket.DataAvailable = [&socket] { socket.ReadAll(); };
    socket.Error = [this, &socket] { forget(socket); };
    send(socket, eventStreamHead);
    heartbeatLater();
}

void EventStreams::broadcast(std::string_view event) {
    // A write that fails ends its stream at once, so the list may shrink under the loop.
    std::vector<platform::TCPSocket*> sockets;
    for (const Stream& stream : streams_) sockets.push_back(stream.socket);
    for (platform::TCPSocket* socket : sockets) send(*socket, event);
}

void EventStreams::closeAll() {
    for (const Stream& stream : std::exchange(streams_, {})) stream.socket->Disconnect();
}

}  // namespace server
