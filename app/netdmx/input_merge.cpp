#include "netdmx/input_merge.h"

#include "netdmx/input_source.h"

namespace netdmx {

Slots withInput(const Slots& console, const Slots& sacn, const Slots& artnet, InputMode mode) {
    Slots out = sacn;
    highestTakesPrecedence(out, artnet);
    if (mode == InputMode::htp) highestTakesPrecedence(out, console);
    return out;
}

}  // namespace netdmx
