#include "show/console_action.h"

namespace show {

ShowLine goLine() {
    return {Go{}, "go"};
}

ShowLine backLine() {
    return {Back{}, "back"};
}

ShowLine gotoLine(CueNumber number) {
    return {GoTo{number, std::nullopt}, "goto " + cueNumberText(number)};
}

ShowLine masterLine(int32_t percent) {
    return {SetMaster{percent}, "gm " + std::to_string(percent)};
}

ShowLine blackoutLine(bool on) {
    using Switch = SetBlackout::Switch;
    return {SetBlackout{on ? Switch::on : Switch::off}, on ? "bo on" : "bo off"};
}

}  // namespace show
