// A show of 1,000 cues to the show file's text and back: the time of each and the file's size.
// Each cue lights `lit` channels in runs, at levels that change from cue to cue.

#include <benchmark/benchmark.h>

#include <sstream>

#include "show/saved_show.h"

namespace {

show::SavedShow thousandCues(int32_t lit) {
    show::SavedShow saved;
    for (int32_t i = 1; i <= 1000; ++i) {
        show::Cue cue{i * 10, "Scene " + std::to_string(i) + ", warm", {2500, 4000}, {}};
        for (int32_t channel = 1; channel <= lit; ++channel) {
            // Runs of 16 lit channels with one dark channel between them.
            int32_t at = channel + channel / 16;
            if (at <= Module1::lastChannel) cue.levels[at] = 1 + (i * 7 + channel * 13) % 255;
        }
        saved.levels = cue.levels;
        saved.cues.put(std::move(cue));
    }
    saved.current = 5000;
    return saved;
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) lines.push_back(std::move(line));
    return lines;
}

void saveShow(benchmark::State& state) {
    show::SavedShow saved = thousandCues(int32_t(state.range(0)));
    size_t bytes = 0;
    for (auto _ : state) {
        std::string text = show::showFileText(saved);
        bytes = text.size();
        benchmark::DoNotOptimize(text.data());
    }
    state.counters["file_bytes"] = double(bytes);
}
BENCHMARK(saveShow)->Arg(96)->Arg(480)->Unit(benchmark::kMillisecond);

// From the file's text: its lines, then the show.
void loadShow(benchmark::State& state) {
    std::string text = show::showFileText(thousandCues(int32_t(state.range(0))));
    for (auto _ : state) {
        show::ShowFileReading reading = show::readShowFile(linesOf(text));
        if (reading.firstBadLine != 0 || reading.show.cues.size() != 1000) {
            state.SkipWithError("the saved show did not load whole");
            break;
        }
        benchmark::DoNotOptimize(reading.show.cues.size());
    }
    state.counters["file_bytes"] = double(text.size());
}
BENCHMARK(loadShow)->Arg(96)->Arg(480)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
