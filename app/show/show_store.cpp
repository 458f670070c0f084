#include "show/show_store.h"

#include <ctime>
#include <utility>
#include <vector>

namespace show {

namespace {

// "20261209-141200", local time.
std::string timeStamp() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &local);
    return text;
}

// A name beside the file no file has yet: "default.shw.damaged-20261209-141200", then "-2", "-3".
platform::FolderItem freeDamagedName(const platform::FolderItem& file) {
    std::string name = file.path().string() + ".damaged-" + timeStamp();
    platform::FolderItem candidate(name);
    for (int suffix = 2; candidate.Exists(); ++suffix) {
        candidate = platform::FolderItem(name + "-" + std::to_string(suffix));
    }
    return candidate;
}

// "12 cues and the look are loaded", "1 cue and no look are loaded".
std::string loadedText(const ShowFileReading& reading) {
    const size_t cues = reading.show.cues.size();
    return std::to_string(cues) + (cues == 1 ? " cue and " : " cues and ") +
           (reading.lookRead ? "the look" : "no look") + " are loaded";
}

// `Fixture definitions missing here: fixture 3 "Spot" (Acme SlimPAR 7), ...`; empty when none is.
std::string missingDefinitionsText(const fixtures::Patch& patch) {
    std::string text;
    for (const auto& [number, fixture] : patch.fixtures()) {
        if (!fixture.definitionMissing()) continue;
        text += text.empty() ? "Fixture definitions missing here, their channels kept: " : ", ";
        text += fixtures::fixtureName(fixture) + " (" + fixture.type.manufacturer + " " +
                fixture.type.model + ")";
    }
    return text;
}

}  // namespace

ShowStore::ShowStore(platform::FolderItem file, StatusLine statusLine, UnsavedChange unsavedChange)
    : file_(std::move(file)),
      statusLine_(std::move(statusLine)),
      unsavedChange_(std::move(unsavedChange)),
      timer_([this] { write(); }) {}

ShowStore::~ShowStore() = default;

std::optional<SavedShow> ShowStore::load(const fixtures::DefinitionFinder& find) {
    std::optional<SavedShow> show = read(find);
    if (show) {
        if (std::string missing = missingDefinitionsText(show->patch); !missing.empty())
            statusLine_(missing);
    }
    // Tried now, not at the first change: a show that cannot be kept says so before it is made.
    std::string problem;
    if (writable_ && !file_.CreateTextFile(problem)) {
        statusLine_("The show could not be saved: " + problem);
        setUnsaved(problem);
    }
    return show;
}

std::optional<SavedShow> ShowStore::read(const fixtures::DefinitionFinder& find) {
    auto stream = file_.OpenAsTextFile();
    if (!stream) return std::nullopt;
    std::vector<std::string> lines;
    while (!stream->EOF_()) lines.push_back(stream->ReadLine());
    stream->Close();
    ShowFileReading reading = readShowFile(lines, find);
    if (reading.firstBadLine == 0) return reading.show;
    keepDamaged(reading);
    if (reading.show.cues.empty() && !reading.lookRead) return std::nullopt;
    return reading.show;
}

void ShowStore::keepDamaged(const ShowFileReading& reading) {
    platform::FolderItem kept = freeDamagedName(file_);
    std::string problem = file_.KeepAlsoAs(kept);
    writable_ = problem.empty();
    std::string damaged =
        "Show file " + file_.Name() + " is damaged at line " + std::to_string(reading.firstBadLine);
    if (!writable_) setUnsaved(damaged + "; it is not saved over: " + problem);
    statusLine_((writable_ ? damaged + ", kept as " + kept.Name()
                           : damaged + "; it is not saved over: " + problem) +
                "; " + loadedText(reading));
}

void ShowStore::changed(ShowProvider provider) {
    if (!writable_) return;
    provider_ = std::move(provider);
    // Waiting already: the change goes with that write, so a stream of changes is written a few
    // times a second, never later than the delay after the first.
    if (std::exchange(waiting_, true)) return;
    timer_.start(writeDelayMs);
}

void ShowStore::flush() {
    timer_.stop();
    due_ = false;
    writer_.finish();
    if (!waiting_) return;
    timer_.stop();
    waiting_ = false;
    problem_ = writeFile(provider_());
    written();
}

void ShowStore::write() {
    if (writer_.busy()) {
        due_ = true;
        return;
    }
    waiting_ = false;
    writer_.start([this, show = provider_()] { problem_ = writeFile(show); },
                  [this] { written(); });
}

std::string ShowStore::writeFile(const SavedShow& show) {
    std::string text = showFileText(show);
    if (text == written_) return {};
    std::string problem;
    if (auto stream = file_.CreateTextFile(problem)) {
        stream->WriteLine(std::string_view(text).substr(0, text.size() - 1));  // it ends the line
        problem = stream->Close();
    }
    if (problem.empty()) written_ = std::move(text);
    return problem;
}

void ShowStore::written() {
    if (problem_.empty()) {
        if (!unsaved_.empty()) statusLine_("The show is saved again");
        setUnsaved({});
    } else {
        // Tried again a while later; said once until a write succeeds.
        if (unsaved_.empty()) statusLine_("The show could not be saved: " + problem_);
        setUnsaved(problem_);
        waiting_ = true;
        timer_.start(retryDelayMs);
    }
    if (std::exchange(due_, false) && waiting_ && !timer_.armed()) write();
}

void ShowStore::setUnsaved(std::string why) {
    if (why == unsaved_) return;
    unsaved_ = std::move(why);
    if (unsavedChange_) unsavedChange_(unsaved_);
}

}  // namespace show
