#pragma once
// The console: the command language's state, what it shows of the last line, the command history
// and the level store, as plain data with one owner. Windows, pages and outputs watch it; nothing
// learns its state back from a label.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "shell/module1.h"

namespace command {

// The history is emptied, before a line runs, once it has grown past this many characters.
inline constexpr size_t historyLimit = 30000;

class Console {
  public:
    // What changed; watchers read the new state from the console.
    enum class Change {
        query,    // the command line shown
        tokens,   // the token display, set again for each statement
        results,  // the result text of the last statement that showed one
        history,  // a statement or a line end appended, or the history emptied
        levels,   // after every line, moved or not, and after levels set otherwise: the whole
                  // universe goes out each time
        line,     // once a whole line has run, after its levels; only runLine tells it, so a
                  // watcher of lines never sees levels moved without one
        channel,  // in place of line after a single channel set, which may come many a second
    };
    using Watcher = std::function<void(Change)>;

    Console() = default;
    Console(const Console&) = delete;
    Console& operator=(const Console&) = delete;

    // Runs one whole command line: shows it as the query, lexes it and a closing carriage return
    // one character at a time into a fresh token list (afterEachCharacter runs after each, so
    // other events may run mid-line), runs its statements, then tells the levels and the line.
    // source says who ran it, such as a client's address.
    void runLine(std::string_view line, std::string source = {},
                 const std::function<void()>& afterEachCharacter = {});
    // As runLine, showing typed as the query: a line typed in words runs as its symbols.
    void runLineTypedAs(std::string_view line, std::string_view typed, std::string source,
                        const std::function<void()>& afterEachCharacter);

    // Sets one channel to a raw value, as a fader or a surface does, without touching the
    // selection or the history: shows "5@D127" as the query and " 5 @ D127" as the result, then
    // tells the levels and the channel.
    void setChannel(int32_t channel, int32_t value, std::string source = {});

    // The levels set as a whole by another part (a fade's step, a restore): the outputs and views
    // follow, told once as after a line.
    void setLevels(const Module1::LevelStore& levels);

    // While held, the levels are told once, on release, however many lines or channel sets moved
    // them: a burst of them sends one frame.
    void holdLevels() { levelsHeld_ = true; }
    void releaseLevels();

    // The steps of a line. lexTokens lexes the first character of its argument only.
    void lexTokens(std::string_view character);
    void dispTokens();
    void parseCommand();
    void parseTokens(const std::vector<std::string>& statement);

    void setQuery(std::string query);

    // A line another part ran (a show command): shown and told as a line of the console's own,
    // with its result and the levels it left; it has no tokens.
    void showLineRunElsewhere(std::string_view line, std::string results, std::string source,
                              const Module1::LevelStore& levels);
    // Text after the last line's result, such as that its change could not be kept.
    void appendResults(std::string_view text);

    // Watchers are told in the order they came, after each change.
    void watch(Watcher watcher) { watchers_.push_back(std::move(watcher)); }

  private:
    // On the heap of its own, so that a write past either end is caught by the address sanitizer.
    std::unique_ptr<Module1::LevelStore> ownLevels_ = std::make_unique<Module1::LevelStore>();

  public:
    // The level store, the console's own: show control and the outputs are handed it.
    Module1::LevelStore& DMXdata = *ownLevels_;
    // Lexer and parser state.
    std::vector<std::string> tokens;
    std::string token;
    std::vector<int32_t> chanArray;
    bool DMXlevels = false;

    // The last outcome; fresh, the texts the main window's labels start with.
    const std::string& query() const { return query_; }
    const std::string& tokensText() const { return tokensText_; }
    const std::string& results() const { return results_; }
    // Each statement with its separator, a carriage return after each line.
    const std::string& history() const { return history_; }
    // Who ran the last line, as runLine was told.
    const std::string& lineSource() const { return lineSource_; }
    const Module1::LevelStore& levels() const { return DMXdata; }

  private:
    void tell(Change change) const;
    void tellLevels();
    // Before a line runs.
    void emptyFullHistory();
    void appendHistory(std::string_view text);

    std::string query_ = "Command";
    std::string tokensText_ = "Tokens";
    std::string results_ = "Results";
    std::string history_;
    std::string lineSource_;
    bool levelsHeld_ = false;
    bool levelsPending_ = false;
    std::vector<Watcher> watchers_;
};

}  // namespace command
