// Any datagram on the sACN or Art-Net port: both parsers read it without a fault, what they take
// stays within the slots they say they carry, and the merges take it without a fault.
#include "logic_support.h"
#include "netdmx/artnet_merge.h"
#include "netdmx/sacn_merge.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const uint8_t> bytes(data, size);
    const netdmx::SacnPacket sacn = netdmx::parseSacnPacket(bytes);
    if (sacn.kind == netdmx::SacnKind::data) {
        fuzz::check(sacn.data.carried >= 0 && sacn.data.carried <= netdmx::slotCount);
        fuzz::check(sacn.data.name.size() < 65);
        netdmx::SacnMerge merge(sacn.data.universe);
        merge.receive(sacn.data, "127.0.0.1", 0);
        merge.levels();
    }
    if (const std::optional<netdmx::ArtDmx> dmx = netdmx::parseArtDmx(bytes)) {
        fuzz::check(dmx->carried >= 2 && dmx->carried <= netdmx::slotCount && dmx->carried % 2 == 0);
        netdmx::ArtNetMerge merge(dmx->portAddress);
        merge.receive(*dmx, "127.0.0.1", 0);
        merge.levels();
    }
    return 0;
}
