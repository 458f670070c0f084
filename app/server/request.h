#pragma once
// Reading a request head: where it ends, its request line, what it asks for and the command value.

#include <cstddef>
#include <optional>
#include <string_view>

namespace server {

// Longest request head accepted; a connection whose head runs past it is closed.
inline constexpr size_t maxHeadLength = 8192;

// Length of the head at the start of the buffered bytes, through its blank line; 0 while
// incomplete.
size_t headLength(std::string_view buffered);

// True when the buffered bytes can no longer start a head within maxHeadLength.
bool headTooLong(std::string_view buffered);

// The text before the first "HTTP" less the separating space; empty when it is missing or too
// early.
std::string_view requestLine(std::string_view head);

enum class RequestKind { help, command, formPage };

RequestKind classify(std::string_view requestLine);

// The text after the first "=", up to and including the first "&" after it.
std::string_view queryValue(std::string_view requestLine);

// For GET /library, the raw value of its "q" field (empty without one); nullopt for any other
// request.
std::optional<std::string_view> libraryQuery(std::string_view requestLine);

}  // namespace server
