#pragma once
// The replies of the command server. The status line is the whole head: browsers find the end of
// the page when the connection closes and guess its type from its first bytes.

#include <string>
#include <string_view>

namespace server {

inline constexpr std::string_view okHeader = "HTTP/1.0 200 OK\r\n\r\n";
inline constexpr std::string_view pageTail = "</body></html>";
inline constexpr std::string_view unauthorisedReply =
    "HTTP/1.0 401 Unauthorised\r\nWWW-Authenticate: Basic realm='Tolvex'\r\n\r\n";

std::string pageReply(std::string_view page);

// The page followed by the tokens and the result of the command that ran.
std::string commandReply(std::string_view page, std::string_view tokens, std::string_view results);

}  // namespace server
