#include "show/show_json.h"

namespace show {

namespace {

using Json = nlohmann::ordered_json;

// A whole value as an integer (2, not 2.0), any other as a decimal.
Json scaledNumber(int64_t value, int64_t scale) {
    if (value % scale == 0) return value / scale;
    return double(value) / double(scale);
}

Json cueNumberJson(std::optional<CueNumber> number) {
    return number ? scaledNumber(*number, 10) : Json();
}

std::string validUtf8(const std::string& text) {
    return Json::parse(Json(text).dump(-1, ' ', false, Json::error_handler_t::replace))
        .get<std::string>();
}

}  // namespace

nlohmann::ordered_json showJson(const ShowEngine& engine, Milliseconds nowMs) {
    Json json = showStateJson(engine, nowMs);
    json["cues"] = cuesJson(engine.cues());
    return json;
}

nlohmann::ordered_json showStateJson(const ShowEngine& engine, Milliseconds nowMs) {
    const Cue* next = engine.nextCue();
    return {{"cue", cueNumberJson(engine.currentCue())},
            {"next", cueNumberJson(next ? std::optional(next->number) : std::nullopt)},
            {"fading", engine.fading()},
            {"progress", engine.progress(nowMs)},
            {"master", engine.master()},
            {"blackout", engine.blackout()}};
}

nlohmann::ordered_json cuesJson(const CueList& cues) {
    Json json = Json::array();
    for (const CuePointer& cue : cues) {
        json.push_back({{"number", scaledNumber(cue->number, 10)},
                        {"label", validUtf8(cue->label)},
                        {"up", scaledNumber(cue->times.up, 1000)},
                        {"down", scaledNumber(cue->times.down, 1000)}});
    }
    return json;
}

}  // namespace show
