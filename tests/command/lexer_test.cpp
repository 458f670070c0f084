#include "command/lexer.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace {

using Tokens = std::vector<std::string>;

// Lexes a line as the request handler does: a fresh list with its empty element 0, the line and a
// closing carriage return. The accumulator left over must be empty.
Tokens lexLine(std::string_view line) {
    Tokens tokens(1);
    std::string token;
    for (char c : line) command::lexCharacter(tokens, token, c);
    command::lexCharacter(tokens, token, '\r');
    EXPECT_EQ(token, "");
    return tokens;
}

TEST(Lexer, SplitsTypicalLinesIntoNumbersAndKeys) {
    EXPECT_EQ(lexLine("504@D184"), (Tokens{"", "504", "@", "D", "184", "|"}));
    EXPECT_EQ(lexLine("1/5+8+11@75"),
              (Tokens{"", "1", "/", "5", "+", "8", "+", "11", "@", "75", "|"}));
    EXPECT_EQ(lexLine("1@50;2@30"), (Tokens{"", "1", "@", "50", ";", "2", "@", "30", "|"}));
}

TEST(Lexer, LettersAndSymbolsShareTheirKeysInBothCases) {
    EXPECT_EQ(lexLine("1a2"), lexLine("1@2"));
    EXPECT_EQ(lexLine("1A2*3"), lexLine("1@2@3"));
    EXPECT_EQ(lexLine("1p2P3"), lexLine("1+2+3"));
    EXPECT_EQ(lexLine("1t2T3"), lexLine("1/2/3"));
    EXPECT_EQ(lexLine("1e2E3"), lexLine("1-2-3"));
    EXPECT_EQ(lexLine("1@d5"), lexLine("1@D5"));
    EXPECT_EQ(lexLine("1@f"), lexLine("1@F"));
    EXPECT_EQ(lexLine("1&2"), lexLine("1\r2"));
}

TEST(Lexer, FullAndDmxDiscardTheDigitsGatheredSoFar) {
    EXPECT_EQ(lexLine("12F"), (Tokens{"", "F", "", "|"}));
    EXPECT_EQ(lexLine("1@F"), (Tokens{"", "1", "@", "F", "", "|"}));
    EXPECT_EQ(lexLine("34D5"), (Tokens{"", "D", "5", "|"}));
}

TEST(Lexer, OtherCharactersAreShownByCodeAndDoNotSplitNumbers) {
    EXPECT_EQ(lexLine("1 2@50"), (Tokens{"", "[32]", "12", "@", "50", "|"}));
    EXPECT_EQ(lexLine("1\n2"), (Tokens{"", "[10]", "12", "|"}));
    EXPECT_EQ(lexLine("GSC"), (Tokens{"", "[71]", "[83]", "[67]", "", "|"}));
    EXPECT_EQ(lexLine("\xC3"), (Tokens{"", "[195]", "", "|"}));
}

TEST(Lexer, EmptyLineGivesOnlyTheFlushedAccumulatorAndItsEnd) {
    EXPECT_EQ(lexLine(""), (Tokens{"", "", "|"}));
}

TEST(TokenDisplay, ShowsEveryTokenAfterElementZeroFollowedByASpace) {
    EXPECT_EQ(command::tokenDisplay(lexLine("504@D184")), "504 @ D 184 | ");
    EXPECT_EQ(command::tokenDisplay(lexLine("1@F")), "1 @ F  | ");
    EXPECT_EQ(command::tokenDisplay(Tokens{""}), "");
}

}  // namespace
