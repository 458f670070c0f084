#pragma once
// The sACN component identifier: a UUID made once per installation from random bytes (version 4)
// and kept as text, so that receivers and mergers know this console across restarts.

#include <optional>
#include <string>
#include <string_view>

#include "netdmx/e131_packet.h"

namespace netdmx {

// Marks 16 random bytes as a version 4, variant 1 UUID.
Cid uuidV4(Cid randomBytes);
// "xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx", lower case.
std::string formatCid(const Cid& cid);
std::optional<Cid> parseCid(std::string_view text);

}  // namespace netdmx
