#include "server/live_show.h"

#include <algorithm>

#include "command/console.h"
#include "fixtures/fixture_json.h"
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
    tellFixtures();
}

std::map<int32_t, nlohmann::ordered_json> LiveShow::fixturesByNumber() const {
    std::map<int32_t, nlohmann::ordered_json> fixtures;
    for (nlohmann::ordered_json& fixture :
         fixtures::fixturesJson(show_.engine().patch(), console_.levels()))
        fixtures.emplace(fixture["number"].get<int32_t>(), std::move(fixture));
    return fixtures;
}

// Only what changed: through a fade, the fixtures it moves.
void LiveShow::tellFixtures() {
    std::map<int32_t, nlohmann::ordered_json> now = fixturesByNumber();
    nlohmann::ordered_json changed = nlohmann::ordered_json::array();
    for (const auto& [number, fixture] : now) {
        auto told = toldFixtures_.find(number);
        if (told == toldFixtures_.end() || told->second != fixture) changed.push_back(fixture);
    }
    std::vector<int32_t> unpatched;
    for (const auto& [number, fixture] : toldFixtures_) {
        if (!now.contains(number)) unpatched.push_back(number);
    }
    toldFixtures_ = std::move(now);
    if (!changed.empty() || !unpatched.empty())
        streams_.broadcast(fixturesEvent(std::move(changed), unpatched));
}

void LiveShow::caughtUp() {
    toldLevels_ = console_.levels();
    toldCues_ = show_.engine().cues();
    toldFixtures_ = fixturesByNumber();
}

}  // namespace server
