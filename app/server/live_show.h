#pragma once
// The show on the live read-back's streams: the levels a fade moved, the cue list when it
// changed (it may be long), the show's state, small whatever the length of the list, and the
// fixtures whose read-back changed.

#include <cstdint>
#include <map>
#include <nlohmann/json.hpp>

#include "shell/module1.h"
#include "show/cue_list.h"
#include "show/live_listener.h"

namespace command {
class Console;
}
namespace show {
class ShowControl;
}

namespace server {

class EventStreams;

class LiveShow : public show::LiveListener {
  public:
    LiveShow(const show::ShowControl& show, const command::Console& console,
             EventStreams& streams);

    void showChanged(show::Milliseconds nowMs, bool levelsTold) override;
    void caughtUp() override;

  private:
    std::map<int32_t, nlohmann::ordered_json> fixturesByNumber() const;
    void tellFixtures();

    const show::ShowControl& show_;
    const command::Console& console_;
    EventStreams& streams_;
    // The levels and the cues the streams were last told of.
    Module1::LevelStore toldLevels_{};
    show::CueList toldCues_;
    // Each fixture's read-back as last told, by number.
    std::map<int32_t, nlohmann::ordered_json> toldFixtures_;
};

}  // namespace server
