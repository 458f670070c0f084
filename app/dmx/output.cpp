#include "dmx/output.h"

#include <algorithm>

namespace dmx {

void OutputList::add(Output& output) {
    outputs_.push_back(&output);
}

void OutputList::remove(Output& output) {
    outputs_.erase(std::remove(outputs_.begin(), outputs_.end(), &output), outputs_.end());
}

void OutputList::send(const Module1::LevelStore& levels) const {
    if (!scaling_) {
        for (Output* output : outputs_) output->send(levels);
        return;
    }
    const Module1::LevelStore scaled = scaling_(levels);
    for (Output* output : outputs_) output->send(scaled);
}

OutputList& outputs() {
    static OutputList list;
    return list;
}

}  // namespace dmx
