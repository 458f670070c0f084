#include "show/show_json.h"

#include <gtest/gtest.h>

namespace {

TEST(ShowJson, NumbersAsNumbersNoneAsNullAndLabelsAsValidUtf8) {
    show::ShowEngine engine;
    Module1::LevelStore levels{};
    engine.run(show::parseShowCommand("rec 2.5 time 1.5/4 label bad \xff byte"), levels, 0);
    engine.run(show::parseShowCommand("rec 3"), levels, 0);
    EXPECT_EQ(show::showJson(engine, 0).dump(),
              "{\"cue\":null,\"next\":2.5,\"fading\":false,\"progress\":0.0,\"master\":100,"
              "\"blackout\":false,\"cues\":[{\"number\":2.5,\"label\":\"bad \xef\xbf\xbd byte\","
              "\"up\":1.5,\"down\":4},{\"number\":3,\"label\":\"\",\"up\":3,\"down\":3}]}");
}

}  // namespace
