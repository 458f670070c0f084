#pragma once
// The show file of a long show, for the tests and benchmarks of big cue lists.

#include <filesystem>

namespace testsupport {

// Cues 1 to count, each fading in 1 s, channel 1 at full in the odd ones and out in the even
// ones, labelled "Scene N of the long show"; no cue current.
void writeLongShow(const std::filesystem::path& file, int count);

}  // namespace testsupport
