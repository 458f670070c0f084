#include "show/line_words.h"

#include <gtest/gtest.h>

namespace {

using Kind = show::LineReading::Kind;

// A slip of the thumb sets nothing: it is refused with the word not understood. Operators may be
// spelled out; single letters and D and F keep their channel meaning.
TEST(LineWords, UnknownWordsAreRefusedAndSpelledOutOperatorsAreTheirSymbols) {
    struct Case {
        std::string_view line;
        Kind kind;
        std::string_view text;
    };
    const Case cases[] = {
        {"go!", Kind::refused, "unknown word \"go!\""},
        {"rec5", Kind::refused, "unknown word \"rec5\": write rec 5"},
        {"GM50.5", Kind::refused, "unknown word \"GM50.5\": write GM 50.5"},
        {"fade", Kind::refused, "unknown word \"fade\""},
        {"1@50;rec 8", Kind::refused, "unknown word \"rec\""},
        {"1 thru 5 at 50", Kind::channels, "1/5@50"},
        {"1 THRU 10 Except 5 and 12 At full", Kind::channels, "1/10-5+12@F"},
        {"7 at dmx 200", Kind::channels, "7@D200"},
        {"1t5a50", Kind::channels, "1t5a50"},
        {"1@DF", Kind::channels, "1@DF"},
        {" Go from 2", Kind::show, ""},
        {"fixx 1/4@50", Kind::refused, "unknown word \"fixx\""},
        {"fix3@50", Kind::refused, "unknown word \"fix3@50\""},
        {"fix 1/4 colour warm", Kind::fixtures, ""},
        {"del group 2", Kind::fixtures, ""},
    };
    for (const auto& [line, kind, text] : cases) {
        const show::LineReading reading = show::readLine(line);
        EXPECT_EQ(reading.kind, kind) << line;
        EXPECT_EQ(reading.text, text) << line;
    }
    EXPECT_TRUE(show::hasWord("1 thru 5"));
    EXPECT_FALSE(show::hasWord("1+2@df"));
}

}  // namespace
