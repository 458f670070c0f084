#include "ui/headless_console.h"

#include <algorithm>
#include <memory>

#include "command/console.h"
#include "dmx/output_status.h"
#include "dmx/win_config.h"
#include "platform/events.h"
#include "shell/window1.h"

namespace headless {

namespace {

// A text of several lines is printed line by line, each with the label's name before it.
void printText(const std::function<void(const std::string&)>& print, const std::string& name,
               const std::string& text) {
    size_t start = 0;
    do {
        size_t end = text.find_first_of("\r\n", start);
        std::string line =
            text.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (!line.empty() || start == 0) print(name + ": " + line);
        if (end == std::string::npos) break;
        start = end + ((text.compare(end, 2, "\r\n") == 0) ? 2 : 1);
    } while (start < text.size());
}

// A caption prints only what it shows anew: nothing while it is empty (a caption cleared and set
// again prints once) or shows what was printed last; only its new lines when it grew by appending;
// otherwise the whole of it.
void watch(platform::StaticText& label, const std::string& name,
           std::function<void(const std::string&)> print) {
    auto shown = std::make_shared<std::string>(label.caption());
    label.setObserver([&label, name, print, shown] {
        const std::string& text = label.caption();
        if (text.empty() || text == *shown) return;
        bool appended = !shown->empty() && text.size() > shown->size() &&
                        text.compare(0, shown->size(), *shown) == 0;
        printText(print, name, appended ? text.substr(shown->size()) : text);
        *shown = text;
    });
}

// One status line, whatever the client typed: line ends and other control characters become
// spaces.
std::string oneLine(std::string text) {
    for (char& c : text) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) c = ' ';
    }
    return text;
}

// One line for each command line run: who sent it, the line, and the result text it showed, if
// it showed one.
void watchLines(command::Console& console, std::function<void(const std::string&)> print) {
    console.watch([&console, print, resultShown = false](command::Console::Change change) mutable {
        using Change = command::Console::Change;
        if (change == Change::results) resultShown = true;
        if (change != Change::line) return;
        std::string line = console.lineSource().empty() ? "" : console.lineSource() + ": ";
        line += console.query();
        if (resultShown) {
            const std::string& results = console.results();
            line +=
                " -> " + results.substr(std::min(results.find_first_not_of(' '), results.size()));
        }
        resultShown = false;
        print(oneLine(std::move(line)));
    });
}

}  // namespace

void attach(Window1& window, std::function<void(const std::string&)> print) {
    for (platform::StaticText* label : {&window.StaticText1, &window.lblIPort, &window.lblIPaddr,
                                        &window.lblHostName, &window.lblCue, &window.lblMaster}) {
        watch(*label, label->name(), print);
    }
    watchLines(window.console, print);
    platform::Implicit<WinConfig>::created = [print](WinConfig& dialog) {
        watch(dialog.StaticText6, "DMX interface", print);
    };
    dmx::outputStates().watch([print](const dmx::OutputState& output) {
        print("Output: " + output.name + " " + output.target + ": " +
              (output.state.empty() ? std::string("off") : output.state));
    });
    platform::setMessageSink(
        [print](const std::string& text) { printText(print, "Message", text); });
}

}  // namespace headless
