// Any command lines, one per input line, run through the console: nothing is stored outside the
// store's 513 elements (element 0 takes channel 0, as in 0@50, and is never sent), no level outside
// 0 to 255, and the remembered selection names store elements only.
#include "command/console.h"
#include "logic_support.h"

namespace {

void checkLevels(const command::Console& console) {
    for (int32_t level : console.levels()) fuzz::check(level >= 0 && level <= 255);
    for (int32_t channel : console.chanArray)
        fuzz::check(channel >= 0 && channel <= Module1::lastChannel);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The console keeps its store on the heap: a write past either end is caught by the address
    // sanitizer.
    command::Console console;
    console.watch([&console](command::Console::Change change) {
        if (change == command::Console::Change::results) checkLevels(console);
    });
    for (std::string_view line : fuzz::lines(fuzz::asText(data, size))) console.runLine(line);
    return 0;
}
