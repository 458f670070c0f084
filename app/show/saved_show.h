#pragma once
// The show as the show file keeps it: the cues, the last look and a fade running then, one line
// each, every line "[" fields separated by "," "]" as the show-file reader splits it.
//
//   [brannic-show,1]
//   [look,2,80,0,1:ff80,34:ff]            current cue (or none), master, blackout, levels
//   [fade,12.5,0,1:ff,34:ff]              up and down seconds left, the levels it ends at
//   [fixture,3,17,7,Acme,SlimPAR 7,7 Channel,Spot left]   the patch (fixtures/patch_file.h)
//   [group,2,Front,1/8+12]
//   [cue,2,3,5,Act%2C 1,1:ff80,34:ff]     number, up and down seconds, label, levels
//   [end]
//
// The fade line is there only while a fade runs; it fades to the look's cue.
//
// Levels are runs of non-zero channels: "1:ff80" is channel 1 at 255 and channel 2 at 128; the
// channels named nowhere are 0. In a label "%", ",", "[", "]" and control characters are
// percent-escaped; every other byte is kept. The end line tells a complete file from a cut one.

#include <optional>
#include <span>
#include <string>

#include "fixtures/patch.h"
#include "fixtures/patch_file.h"
#include "shell/module1.h"
#include "show/cue_list.h"
#include "show/fade.h"

namespace show {

struct SavedShow {
    CueList cues;
    // The current cue, or the number of a deleted current cue: next counts from it.
    std::optional<CueNumber> current;
    int32_t master = 100;
    bool blackout = false;
    Module1::LevelStore levels{};
    // What was left of the fade running then, if one was.
    std::optional<RestOfFade> fade;
    fixtures::Patch patch;
};

std::string showFileText(const SavedShow& show);

// A machine without fixture definitions: every fixture of the file is missing its own.
std::shared_ptr<const fixtures::Definition> noDefinitions(std::string_view, std::string_view);

struct ShowFileReading {
    SavedShow show;  // every good line's part
    bool lookRead = false;
    // The number (from 1) of the first bad or missing line; 0 when the file is whole.
    size_t firstBadLine = 0;
};

// The file's lines without their line ends. Blanks and a carriage return after a line, and a
// byte-order mark before the first, are no part of it. A file without this format's first line
// (a missing header, a later version's) has its bad line 1 and the good lines it holds. A fixture
// takes its definition from find when this machine has it, and is kept by its names and channel
// count when not.
ShowFileReading readShowFile(std::span<const std::string> lines,
                             const fixtures::DefinitionFinder& find = noDefinitions);

}  // namespace show
