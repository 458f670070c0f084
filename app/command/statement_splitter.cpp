#include "command/statement_splitter.h"

namespace command {

namespace {

bool isSeparator(const std::string& token) {
    return token.front() == ';' || token.front() == '|';
}

}  // namespace

void runStatements(const std::vector<std::string>& tokens, const StatementHandler& handle) {
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
        handle(statement);
        statement.resize(1);
    }
}

std::string statementText(const std::vector<std::string>& statement) {
    std::string text;
    for (size_t i = 1; i < statement.size(); ++i) text += statement[i];
    return text;
}

}  // namespace command
