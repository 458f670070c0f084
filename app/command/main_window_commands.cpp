// The main window's command methods: they drive the lexer, the splitter and the level assignment
// over the window's own state, its labels and the command history window.

#include <string>
#include <string_view>
#include <vector>

#include "command/level_assignment.h"
#include "command/level_store.h"
#include "command/lexer.h"
#include "command/statement_splitter.h"
#include "platform/window.h"
#include "shell/aux_windows.h"
#include "shell/window1.h"

void Window1::lexTokens(std::string_view character) {
    if (character.empty()) return;
    command::lexCharacter(tokens, token, character.front());
}

void Window1::dispTokens() {
    lblTokens.setCaption(command::tokenDisplay(tokens));
}

void Window1::parseCommand() {
    platform::EditField& history = platform::Implicit<winHistory>::instance().EditField1;
    command::runStatements(tokens, history, [this](const std::vector<std::string>& statement) {
        parseTokens(statement);
    });
}

void Window1::parseTokens(const std::vector<std::string>& statement) {
    dispTokens();
    if (auto caption = command::runStatement(statement, chanArray, Module1::DMXdata, DMXlevels)) {
        lblResults.setCaption(std::move(*caption));
    }
}
