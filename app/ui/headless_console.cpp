#include "ui/headless_console.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <memory>
#include <utility>

#include "command/console.h"
#include "dmx/output_status.h"
#include "platform/events.h"
#include "platform/timer.h"
#include "shell/window1.h"
#include "status/status_model.h"

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

// Every event prints, the same one twice in a row too. A state prints only what it says anew:
// nothing while it is empty (a state cleared and set again prints once) or says what it printed
// last; only its new lines when it grew by appending; otherwise the whole of it. Each prints
// under the name of the label that shows it.
void watchStatus(Window1& window, std::function<void(const std::string&)> print) {
    auto printed =
        std::make_shared<std::map<std::pair<status::Source, std::string>, std::string>>();
    window.status.watch([&window, print, printed](const status::Entry& entry, bool isNew) {
        const platform::StaticText* label = window.statusLabel(entry.source);
        const std::string name = label ? label->name() : "DMX interface";
        if (entry.kind == status::Entry::Kind::event) {
            if (!entry.text.empty()) printText(print, name, entry.text);
            return;
        }
        std::string& shown = (*printed)[{entry.source, entry.key}];
        const std::string& text = entry.text;
        if (!isNew || text.empty() || text == shown) return;
        bool appended = !shown.empty() && text.size() > shown.size() &&
                        text.compare(0, shown.size(), shown) == 0;
        printText(print, name, appended ? text.substr(shown.size()) : text);
        shown = text;
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

// Who sent the last line or channel set, what it was, and the result text it showed, if it showed
// one.
std::string lineText(const command::Console& console, bool resultShown) {
    std::string line = console.lineSource().empty() ? "" : console.lineSource() + ": ";
    line += console.query();
    if (resultShown) {
        const std::string& results = console.results();
        line += " -> " + results.substr(std::min(results.find_first_not_of(' '), results.size()));
    }
    return oneLine(std::move(line));
}

// Channel sets may come thousands a second from a fader or a flood: the first after a quiet
// second prints at once, the rest of that second as one line, the last of them with their count.
class ChannelLines {
  public:
    static constexpr int64_t intervalMs = 1000;

    explicit ChannelLines(std::function<void(const std::string&)> print)
        : print_(std::move(print)), timer_([this] { flush(); }) {}

    void add(std::string line) {
        const int64_t now = platform::steadyMs();
        if (held_ == 0 && now - printedMs_ >= intervalMs) {
            print_(line);
            printedMs_ = now;
            return;
        }
        if (held_++ == 0) timer_.start(int(std::max<int64_t>(0, printedMs_ + intervalMs - now)));
        heldLine_ = std::move(line);
    }

    // Prints what is held, before a line that must follow it.
    void flush() {
        timer_.stop();
        if (held_ == 0) return;
        if (held_ > 1)
            heldLine_ += " (the last of " + std::to_string(held_) + " channel sets in a second)";
        print_(heldLine_);
        held_ = 0;
        printedMs_ = platform::steadyMs();
    }

  private:
    std::function<void(const std::string&)> print_;
    platform::Timer timer_;
    int64_t printedMs_ = -intervalMs;
    size_t held_ = 0;
    std::string heldLine_;
};

// One line for each command line run and for channel sets as ChannelLines says.
void watchLines(command::Console& console, std::function<void(const std::string&)> print) {
    auto channelLines = std::make_shared<ChannelLines>(print);
    console.watch([&console, print, channelLines,
                   resultShown = false](command::Console::Change change) mutable {
        using Change = command::Console::Change;
        if (change == Change::results) resultShown = true;
        if (change != Change::line && change != Change::channel) return;
        std::string line = lineText(console, std::exchange(resultShown, false));
        if (change == Change::channel) return channelLines->add(std::move(line));
        channelLines->flush();
        print(line);
    });
}

}  // namespace

void attach(Window1& window, std::function<void(const std::string&)> print) {
    watchStatus(window, print);
    watchLines(window.console, print);
    window.outputStates.watch([print](const dmx::OutputState& output) {
        print("Output: " + output.name + " " + output.target + ": " +
              (output.state.empty() ? std::string("off") : output.state));
    });
    platform::setMessageSink(
        [print](const std::string& text) { printText(print, "Message", text); });
}

}  // namespace headless
