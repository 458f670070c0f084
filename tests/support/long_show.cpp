#include "support/long_show.h"

#include <fstream>

namespace testsupport {

void writeLongShow(const std::filesystem::path& file, int count) {
    std::ofstream show(file);
    show << "[brannic-show,1]\n[look,none,100,0]\n";
    for (int cue = 1; cue <= count; ++cue) {
        show << "[cue," << cue << ",1,1,Scene " << cue << " of the long show"
             << (cue % 2 ? ",1:ff" : "") << "]\n";
    }
    show << "[end]\n";
}

}  // namespace testsupport
