#pragma once
// The DMX outputs (the USB interface, sACN, Art-Net) behind one call, and the list the universe is
// handed to after every command line. Network outputs include this from netdmx/; nothing here
// knows them.

#include <functional>
#include <vector>

#include "shell/module1.h"

namespace dmx {

class Output {
  public:
    virtual ~Output() = default;
    // The whole universe, changed or not: element n is channel n's level (0 to 255), element 0 is
    // never sent. The output takes it at once and never blocks.
    virtual void send(const Module1::LevelStore& levels) = 0;
};

// The outputs in the order they were added: each gets the universe in that order.
class OutputList {
  public:
    void add(Output& output);
    void remove(Output& output);
    // The one place every output's levels pass: a master level or a blackout scales them here.
    void send(const Module1::LevelStore& levels) const;

    // What the outputs send for the levels the store holds (a master, a blackout); none, the
    // levels go as they are. The store itself is never scaled.
    using Scaling = std::function<Module1::LevelStore(const Module1::LevelStore&)>;
    void setScaling(Scaling scaling) { scaling_ = std::move(scaling); }

  private:
    Scaling scaling_;
    std::vector<Output*> outputs_;
};

// The program's one list; start-up adds the outputs.
OutputList& outputs();

}  // namespace dmx
