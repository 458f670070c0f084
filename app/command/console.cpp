#include "command/console.h"

#include <utility>

#include "command/level_assignment.h"
#include "command/lexer.h"
#include "command/statement_splitter.h"

namespace command {

void Console::runLine(std::string_view line, std::string source,
                      const std::function<void()>& afterEachCharacter) {
    runLineTypedAs(line, line, std::move(source), afterEachCharacter);
}

void Console::runLineTypedAs(std::string_view line, std::string_view typed, std::string source,
                             const std::function<void()>& afterEachCharacter) {
    lineSource_ = std::move(source);
    setQuery(std::string(typed));
    tokens.assign(1, std::string());
    const auto lexOne = [&](std::string_view character) {
        lexTokens(character);
        if (afterEachCharacter) afterEachCharacter();
    };
    for (size_t i = 0; i < line.size(); ++i) lexOne(line.substr(i, 1));
    lexOne("\r");
    parseCommand();
    tellLevels();
    tell(Change::line);
}

void Console::setChannel(int32_t channel, int32_t value, std::string source) {
    lineSource_ = std::move(source);
    DMXdata[size_t(channel)] = value;
    const std::string number = std::to_string(channel), raw = "D" + std::to_string(value);
    setQuery(number + "@" + raw);
    results_ = " " + number + " @ " + raw;
    tell(Change::results);
    tellLevels();
    tell(Change::channel);
}

void Console::setLevels(const Module1::LevelStore& levels) {
    DMXdata = levels;
    tellLevels();
}

void Console::releaseLevels() {
    levelsHeld_ = false;
    if (std::exchange(levelsPending_, false)) tell(Change::levels);
}

void Console::lexTokens(std::string_view character) {
    if (character.empty()) return;
    lexCharacter(tokens, token, character.front());
}

void Console::dispTokens() {
    tokensText_ = tokenDisplay(tokens);
    tell(Change::tokens);
}

void Console::parseCommand() {
    emptyFullHistory();
    runStatements(tokens, [this](const std::vector<std::string>& statement) {
        appendHistory(statementText(statement));
        parseTokens(statement);
    });
    appendHistory("\r");
}

void Console::parseTokens(const std::vector<std::string>& statement) {
    dispTokens();
    if (auto caption = runStatement(statement, chanArray, DMXdata, DMXlevels)) {
        results_ = std::move(*caption);
        tell(Change::results);
    }
}

void Console::setQuery(std::string query) {
    query_ = std::move(query);
    tell(Change::query);
}

void Console::showLineRunElsewhere(std::string_view line, std::string results, std::string source,
                                   const Module1::LevelStore& levels) {
    DMXdata = levels;
    lineSource_ = std::move(source);
    setQuery(std::string(line));
    tokensText_.clear();
    tell(Change::tokens);
    emptyFullHistory();
    appendHistory(std::string(line) + "\r");
    results_ = std::move(results);
    tell(Change::results);
    tellLevels();
    tell(Change::line);
}

void Console::appendResults(std::string_view text) {
    results_ += text;
    tell(Change::results);
}

void Console::tell(Change change) const {
    for (const Watcher& watcher : watchers_) watcher(change);
}

void Console::tellLevels() {
    if (levelsHeld_) {
        levelsPending_ = true;
    } else {
        tell(Change::levels);
    }
}

void Console::emptyFullHistory() {
    if (history_.size() <= historyLimit) return;
    history_.clear();
    tell(Change::history);
}

void Console::appendHistory(std::string_view text) {
    history_ += text;
    tell(Change::history);
}

}  // namespace command
