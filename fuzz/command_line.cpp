// Any command lines, one per input line, run through the lexer, the splitter and the level
// assignment as the console runs them: nothing is stored outside the store's 513 elements (element
// 0 takes channel 0, as in 0@50, and is never sent), no level outside 0 to 255, and the remembered
// selection names store elements only.
#include <memory>

#include "command/level_assignment.h"
#include "command/lexer.h"
#include "command/statement_splitter.h"
#include "logic_support.h"

namespace {

void checkLevels(const Module1::LevelStore& levels, const std::vector<int32_t>& chanArray) {
    for (int32_t level : levels) fuzz::check(level >= 0 && level <= 255);
    for (int32_t channel : chanArray) fuzz::check(channel >= 0 && channel <= Module1::lastChannel);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // On the heap, so a write past either end is caught by the address sanitizer.
    auto levels = std::make_unique<Module1::LevelStore>();
    std::vector<int32_t> chanArray;
    bool dmxLevels = false;
    std::string token;
    platform::EditField history("EditField1", {}, true);
    for (std::string_view line : fuzz::lines(fuzz::asText(data, size))) {
        std::vector<std::string> tokens(1);
        for (char c : line) command::lexCharacter(tokens, token, c);
        command::lexCharacter(tokens, token, '\r');
        command::tokenDisplay(tokens);
        command::runStatements(tokens, history, [&](const std::vector<std::string>& statement) {
            command::runStatement(statement, chanArray, *levels, dmxLevels);
            checkLevels(*levels, chanArray);
        });
    }
    return 0;
}
