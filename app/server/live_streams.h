#pragma once
// The open event streams of the live read-back: connections taken over from the request handler,
// each told of every event until its reader leaves, falls behind or the option is turned off.

#include <string_view>

namespace platform {
class ServerSocket;
class TCPSocket;
}  // namespace platform

namespace server {

// Sends the stream's head and keeps the connection open for events, outside the connection cap.
void openEventStream(platform::ServerSocket& listener, platform::TCPSocket& socket);
// Sends the event text to every open stream.
void broadcastEvent(std::string_view event);
// Ends every stream, as the option goes off or the program ends.
void closeEventStreams();

}  // namespace server
