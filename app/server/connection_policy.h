#pragma once
// Whom the command server takes. At most 128 connections, exempt ones (event streams) aside, are
// open at a time; when more clients wait, an idle connection gives way to the newcomer before one
// still sending (connection_eviction.h), and a connection is never closed once it has written,
// while its events are being handled or while it is owed a reply. Accepting pauses while no
// connection may give way, and resumes when one can. A client that stops sending after its
// request still gets the reply.

namespace platform {
class ServerSocket;
}  // namespace platform

namespace server {

// Applies the policy to the listener's accepts from now on.
void applyConnectionPolicy(platform::ServerSocket& listener);

}  // namespace server
