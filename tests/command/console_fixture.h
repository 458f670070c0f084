#pragma once
// A console without windows, and its store.

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "command/console.h"

class ConsoleTest : public ::testing::Test {
  protected:
    ConsoleTest() {
        // The token display is set again at the start of every statement.
        console.watch([this](command::Console::Change change) {
            if (change == command::Console::Change::tokens) ++statementsRun;
        });
    }

    void run(std::string_view line) { console.runLine(line); }

    // The channels holding value; all others must hold 0.
    void expectLevels(std::initializer_list<int32_t> channels, int32_t value) const {
        Module1::LevelStore expected{};
        for (int32_t ch : channels) expected[static_cast<size_t>(ch)] = value;
        EXPECT_EQ(levels, expected);
    }

    command::Console console;
    Module1::LevelStore& levels = console.DMXdata;
    const std::vector<int32_t>& chanArray = console.chanArray;
    const bool& dmxLevels = console.DMXlevels;
    const std::string& caption = console.results();
    const std::string& history = console.history();
    int statementsRun = 0;
};
