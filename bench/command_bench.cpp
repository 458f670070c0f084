// One command line from its text to the packet for the interface: lexing, statements, history,
// level assignment, token and result texts, the level view and the frame. No event-loop yields.

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "command/level_assignment.h"
#include "command/level_store.h"
#include "command/lexer.h"
#include "command/statement_splitter.h"
#include "dmx/interface_packets.h"
#include "dmx/level_view.h"
#include "platform/controls.h"

namespace {

struct Console {
    std::vector<std::string> tokens;
    std::string token;
    std::vector<int32_t> chanArray;
    bool dmxLevels = false;
    Module1::LevelStore levels{};
    platform::StaticText lblTokens{"lblTokens", ""};
    platform::StaticText lblResults{"lblResults", ""};
    platform::EditField history{"EditField1", "", true};
    platform::EditField levelView{"EditField1", "", true};

    std::string lineToFrame(const std::string& line) {
        tokens.assign(1, std::string());
        for (char c : line) command::lexCharacter(tokens, token, c);
        command::lexCharacter(tokens, token, '\r');
        command::runStatements(tokens, history, [this](const std::vector<std::string>& statement) {
            lblTokens.setCaption(command::tokenDisplay(tokens));
            if (auto caption = command::runStatement(statement, chanArray, levels, dmxLevels)) {
                lblResults.setCaption(std::move(*caption));
            }
        });
        levelView.setText(dmx::levelViewText(levels));
        return dmx::dmxFrame(levels);
    }
};

void lineToFrame(benchmark::State& state, const std::string& line) {
    Console console;
    for (auto _ : state) {
        std::string frame = console.lineToFrame(line);
        benchmark::DoNotOptimize(frame.data());
    }
    state.SetItemsProcessed(state.iterations());
    state.SetLabel(console.lblResults.caption().substr(0, 40));
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
