// One command line from its text to the packet for the interface: lexing, statements, history,
// level assignment, token and result texts through the console, then the level view and the frame
// that its levels change brings. No event-loop yields.

#include <benchmark/benchmark.h>

#include <string>

#include "command/console.h"
#include "dmx/interface_packets.h"
#include "dmx/level_view.h"

namespace {

void lineToFrame(benchmark::State& state, const std::string& line) {
    command::Console console;
    std::string levelView;
    std::string frame;
    console.watch([&](command::Console::Change change) {
        if (change != command::Console::Change::levels) return;
        frame = dmx::dmxFrame(console.levels());
        levelView = dmx::levelViewText(console.levels());
    });
    for (auto _ : state) {
        console.runLine(line);
        benchmark::DoNotOptimize(frame.data());
        benchmark::DoNotOptimize(levelView.data());
    }
    state.SetItemsProcessed(state.iterations());
    state.SetLabel(console.results().substr(0, 40));
}

// The level view alone: the part of the path that grows with the universe, not with the line.
void levelView(benchmark::State& state) {
    Module1::LevelStore levels{};
    levels.fill(191);
    for (auto _ : state) {
        std::string text = dmx::levelViewText(levels);
        benchmark::DoNotOptimize(text.data());
    }
}

}  // namespace

BENCHMARK_CAPTURE(lineToFrame, fewChannels, std::string("1/5+8+11@75"));
BENCHMARK_CAPTURE(lineToFrame, oneChannel, std::string("34@25"));
BENCHMARK_CAPTURE(lineToFrame, wholeUniverse, std::string("1/512@50"));
BENCHMARK(levelView);

BENCHMARK_MAIN();
