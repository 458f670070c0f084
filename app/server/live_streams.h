#pragma once
// The open event streams of the live read-back: connections taken over from the request handler,
// each told of every event until its reader leaves, falls behind or the option is turned off.

#include <cstddef>
#include <string_view>
#include <vector>

#include "platform/timer.h"

namespace dmx {
class OutputStates;
}
namespace platform {
class ServerSocket;
class TCPSocket;
}  // namespace platform

namespace server {

// The listener's owner holds these: the streams' sockets are the listener's.
class EventStreams {
  public:
    // Each change of an output is an event for the streams.
    explicit EventStreams(dmx::OutputStates& outputs);
    ~EventStreams();
    EventStreams(const EventStreams&) = delete;
    EventStreams& operator=(const EventStreams&) = delete;

    // Sends the stream's head and keeps the connection open for events, outside the connection
    // cap.
    void open(platform::ServerSocket& listener, platform::TCPSocket& socket);
    // Sends the event text to every open stream.
    void broadcast(std::string_view event);
    // Ends every stream, as the option goes off or the listener goes.
    void closeAll();

  private:
    struct Stream {
        platform::TCPSocket* socket;
        // Written after the event that was going out when the socket last had nothing left to
        // send; what of it is still unsent is the reader's backlog.
        size_t backlog = 0;
    };

    Stream* find(const platform::TCPSocket& socket);
    void forget(const platform::TCPSocket& socket);
    void send(platform::TCPSocket& socket, std::string_view bytes);
    void heartbeatLater();

    dmx::OutputStates& outputs_;
    size_t outputsWatcher_;
    // Oldest first.
    std::vector<Stream> streams_;
    platform::Timer heartbeat_;
};

}  // namespace server
