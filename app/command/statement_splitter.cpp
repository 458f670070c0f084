#include "command/statement_splitter.h"

namespace command {

namespace {

bool isSeparator(const std::string& token) {
    return token.front() == ';' || token.front() == '|';
}

void logStatement(const std::vector<std::string>& statement, platform::EditField& history) {
    std::string entry;
    for (size_t i = 1; i < statement.size(); ++i) entry += statement[i];
    history.appendText(entry);
}

}  // namespace

void runStatements(const std::vector<std::string>& tokens, platform::EditField& history,
                   const StatementHandler& handle) {
    if (history.text().size() > historyLimit) history.setText({});
    std::vector<std::string> statement(1);
    statement.reserve(tokens.size() + 1);
    for (size_t i = 1; i < tokens.size(); ++i) {
        const std::string& token = tokens[i];
        if (token.empty()) continue;
        if (!isSeparator(token)) {
            statement.push_back(token);
            continue;
        }
        if (statement.size() == 1) break;
        statement.push_back(token);
        logStatement(statement, history);
        handle(statement);
        statement.resize(1);
    }
    history.appendText("\r");
}

}  // namespace command
