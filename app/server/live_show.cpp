#include "server/live_show.h"

#include <algorithm>

#include "command/console.h"
#include "server/live_messages.h"
#include "server/live_streams.h"
#include "show/show_control.h"
#include "show/show_json.h"

namespace server {

LiveShow::LiveShow(const show::ShowControl& show, const command::Console& console,
                   EventStreams& streams)
    : show_(show), console_(console), streams_(streams) {}

void LiveShow::showChanged(show::Milliseconds nowMs, bool levelsTold) {
    if (levelsTold) toldLevels_ = console_.levels();
    if (!Module1::liveLevels) return;
    std::vector<LevelChange> changes = changedLevels(toldLevels_, console_.levels());
    if (!changes.empty()) streams_.broadcast(levelsEvent(changes));
    toldLevels_ = console_.levels();
    // The list goes only when it changed, before the state that may name a new cue: a fade's
    // events stay small however long the show. Cues are shared and never change, so the same
    // pointers are the same list.
    const show::CueList& cues = show_.engine().cues();
    if (!std::ranges::equal(cues, toldCues_)) {
        toldCues_ = cues;
        streams_.broadcast(cuesEvent(show::cuesJson(toldCues_)));
    }
    streams_.broadcast(showEvent(show_.stateJson(nowMs)));
}

void LiveShow::caughtUp() {
    toldLevels_ = console_.levels();
    toldCues_ = show_.engine().cues();
}

}  // namespace server
