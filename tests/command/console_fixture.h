#pragma once
// A console without windows: lines go through the lexer, the statement splitter and the level
// assignment, as the main window runs them, into a store and a history of the test's own.

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "command/level_assignment.h"
#include "command/level_store.h"
#include "command/lexer.h"
#include "command/statement_splitter.h"
#include "platform/controls.h"

class ConsoleTest : public ::testing::Test {
  protected:
    void run(std::string_view line) {
        std::vector<std::string> tokens(1);
        std::string token;
        for (char c : line) command::lexCharacter(tokens, token, c);
        command::lexCharacter(tokens, token, '\r');
        command::runStatements(tokens, history, [this](const std::vector<std::string>& statement) {
            ++statementsRun;
            if (auto shown = command::runStatement(statement, chanArray, levels, dmxLevels)) {
                caption = *shown;
            }
        });
    }

    // The channels holding value; all others must hold 0.
    void expectLevels(std::initializer_list<int32_t> channels, int32_t value) const {
        Module1::LevelStore expected{};
        for (int32_t ch : channels) expected[static_cast<size_t>(ch)] = value;
        EXPECT_EQ(levels, expected);
    }

    Module1::LevelStore levels{};
    std::vector<int32_t> chanArray;
    bool dmxLevels = false;
    std::string caption = "untouched";
    int statementsRun = 0;
    platform::EditField history{"EditField1", "", true};
};
