#include "show/show_engine.h"

#include <gtest/gtest.h>

namespace {

class ShowEngineTest : public ::testing::Test {
  protected:
    std::string run(std::string_view line, show::Milliseconds nowMs = 0) {
        return engine.run(show::parseShowCommand(line), levels, nowMs);
    }
    // Channel 1 at `level`, recorded by `line`.
    void recordLevel(int32_t level, std::string_view line) {
        levels[1] = level;
        run(line);
    }

    show::ShowEngine engine;
    Module1::LevelStore levels{};
};

TEST_F(ShowEngineTest, RecordingKeepsTheStageAndGoWalksTheListToItsEnd) {
    recordLevel(100, "rec 1 time 0");
    EXPECT_EQ(run("rec 2 time 3/5 label Act 1"), "cue 2 \"Act 1\" recorded, 3/5 s");
    EXPECT_EQ(run("rec time 0"), "cue 3 recorded, 0/0 s");
    EXPECT_EQ(run("rec 2"), "cue 2 \"Act 1\" replaced, 3/5 s");
    EXPECT_FALSE(engine.currentCue());
    levels[1] = 0;
    EXPECT_EQ(run("go"), "go: cue 1, 0/0 s");
    EXPECT_EQ(levels[1], 100);
    run("goto 3");
    EXPECT_EQ(run("go"), "go: no cue after cue 3");
    EXPECT_EQ(engine.currentCue(), 30);
}

// Two operators press GO on the same page: only the first one's go advances.
TEST_F(ShowEngineTest, GoFromAStaleCueIsRefusedNamingTheCurrentOne) {
    recordLevel(100, "rec 1");
    recordLevel(200, "rec 2");
    EXPECT_EQ(run("go from none"), "go: cue 1, 3/3 s");
    EXPECT_EQ(run("go from none", 10), "go: refused, cue 1 is current");
    EXPECT_EQ(engine.currentCue(), 10);
    EXPECT_EQ(run("go from 1", 20), "go: cue 2, 3/3 s");
}

// A go during a fade starts from the levels on stage; a typed channel leaves the fade.
TEST_F(ShowEngineTest, AGoDuringAFadeStartsWhereTheChannelsAre) {
    levels[1] = levels[2] = 200;
    run("rec 1 time 2");
    levels = {};
    run("rec 2 time 2");
    levels = {};
    run("go", 0);
    engine.step(levels, 1000);
    EXPECT_EQ(levels[1], 100);
    engine.channelsTyped(std::vector<int32_t>{2});
    levels[2] = 50;
    EXPECT_EQ(engine.currentCue(), 10);
    run("go", 1000);
    engine.step(levels, 2000);
    EXPECT_EQ(levels[1], 50);
    EXPECT_EQ(levels[2], 25);
    EXPECT_TRUE(engine.step(levels, 3000).ended);
    EXPECT_FALSE(engine.fading());
}

// Deleting the current cue leaves no cue current and go goes on above its number, also in a show
// restored from a look that names a missing cue; undo brings the cue back as current.
TEST_F(ShowEngineTest, ADeletedCurrentCueIsCurrentNoMoreAndGoGoesOnAboveIt) {
    for (const char* line : {"rec 1", "rec 2", "rec 3", "goto 2"}) run(line);
    run("del 2");
    EXPECT_EQ(run("go from none"), "go: cue 3, 3/3 s");
    run("undo");
    run("undo");
    EXPECT_EQ(engine.currentCue(), 20);
    show::SavedShow saved = engine.saved(levels, 0);
    saved.cues.erase(20);
    EXPECT_EQ(engine.restore(saved, levels, 0),
              "The kept look's cue 2 is not in the show: no cue is current");
    EXPECT_FALSE(engine.currentCue());
    EXPECT_EQ(engine.nextCue()->number, 30);
}

// Recording over the cue being faded to stops the fade where it is; recording any other cue
// leaves it running.
TEST_F(ShowEngineTest, RecordingOverTheCueFadedToStopsTheFadeWhereItIs) {
    recordLevel(200, "rec 1 time 2");
    levels = {};
    run("go", 0);
    engine.step(levels, 1000);
    run("rec 5", 1000);
    EXPECT_TRUE(engine.fading());
    run("rec 1", 1000);
    EXPECT_FALSE(engine.fading());
    engine.step(levels, 3000);
    EXPECT_EQ(levels[1], 100);
    EXPECT_EQ(engine.cues().find(10)->levels[1], 100);
}

TEST_F(ShowEngineTest, UndoTakesBackLevelsCuesAndCurrentButNotTheMaster) {
    recordLevel(100, "rec 1 time 0");
    recordLevel(0, "rec 2 time 9");
    run("go");
    engine.recordUndo("5@50", levels);
    levels[5] = 127;
    run("gm 40");
    run("del 1");
    EXPECT_EQ(run("undo"), "undo: del 1 taken back");
    EXPECT_EQ(engine.cues().size(), 2u);
    EXPECT_EQ(run("undo"), "undo: 5@50 taken back");
    EXPECT_EQ(levels[5], 0);
    run("go", 0);
    EXPECT_TRUE(engine.fading());
    EXPECT_EQ(run("undo", 10), "undo: go taken back");
    EXPECT_FALSE(engine.fading());
    EXPECT_EQ(engine.currentCue(), 10);
    EXPECT_EQ(levels[1], 100);
    EXPECT_EQ(engine.master(), 40);
}

}  // namespace

// A fixture line's undo takes back the levels and the patch both; a refused one keeps nothing.
TEST_F(ShowEngineTest, UndoTakesAFixtureLineBackWithItsPatch) {
    const fixtures::TypeLookup noLibrary = [](std::string_view) { return fixtures::MatchResult{}; };
    EXPECT_TRUE(engine.runFixtureLine("patch 1/2 @ 10 dimmer", levels, noLibrary).applied);
    EXPECT_TRUE(engine.runFixtureLine("fix 2 @ 50", levels, noLibrary).applied);
    EXPECT_FALSE(engine.runFixtureLine("patch 3 @ 11 dimmer", levels, noLibrary).applied);
    EXPECT_EQ(engine.saved(levels, 0).patch.fixtures().size(), 2u);
    EXPECT_EQ(run("undo"), "undo: fix 2 @ 50 taken back");
    EXPECT_EQ(levels[11], 0);
    EXPECT_EQ(run("undo"), "undo: patch 1/2 @ 10 dimmer taken back");
    EXPECT_TRUE(engine.patch().fixtures().empty());
}
