#include "command/console.h"

#include "command/level_assignment.h"
#include "command/lexer.h"
#include "command/statement_splitter.h"

namespace command {

void Console::runLine(std::string_view line, std::string source,
                      const std::function<void()>& afterEachCharacter) {
    lineSource_ = std::move(source);
    setQuery(std::string(line));
    tokens.assign(1, std::string());
    const auto lexOne = [&](std::string_view character) {
        lexTokens(character);
        if (afterEachCharacter) afterEachCharacter();
    };
    for (size_t i = 0; i < line.size(); ++i) lexOne(line.substr(i, 1));
    lexOne("\r");
    parseCommand();
    tell(Change::levels);
    tell(Change::line);
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
    if (auto caption = runStatement(statement, chanArray, levels_, DMXlevels)) {
        results_ = std::move(*caption);
        tell(Change::results);
    }
}

void Console::setQuery(std::string query) {
    query_ = std::move(query);
    tell(Change::query);
}

void Console::showLineRunElsewhere(std::string_view line, std::string results, std::string source) {
    lineSource_ = std::move(source);
    setQuery(std::string(line));
    tokensText_.clear();
    tell(Change::tokens);
    emptyFullHistory();
    appendHistory(std::string(line) + "\r");
    results_ = std::move(results);
    tell(Change::results);
    tell(Change::levels);
    tell(Change::line);
}

void Console::tell(Change change) const {
    for (const Watcher& watcher : watchers_) watcher(change);
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
