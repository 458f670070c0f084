#include "ui/headless_console.h"

#include <memory>

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

// A caption that grew by appending shows only its new lines; any other change shows it whole.
void watch(platform::StaticText& label, const std::string& name,
           std::function<void(const std::string&)> print) {
    auto shown = std::make_shared<std::string>(label.caption());
    label.setObserver([&label, name, print, shown] {
        const std::string& text = label.caption();
        bool appended = !shown->empty() && text.size() > shown->size() &&
                        text.compare(0, shown->size(), *shown) == 0;
        printText(print, name, appended ? text.substr(shown->size()) : text);
        *shown = text;
    });
}

}  // namespace

void attach(Window1& window, std::function<void(const std::string&)> print) {
    for (platform::StaticText* label :
         {&window.StaticText1, &window.lblQuery, &window.lblTokens, &window.lblResults,
          &window.lblIPort, &window.lblIPaddr, &window.lblHostName}) {
        watch(*label, label->name(), print);
    }
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
