#include "support/stage_settings.h"

#include <fstream>

namespace testsupport {

void writeStageSettings(const std::filesystem::path& prefs, int32_t port) {
    std::ofstream(prefs / "Tolvex.config")
        << "default.shw\n0\n"
        << port << "\nenableWAN=false\nrequireLogin=false\nstartMinimized=false\n\n\n";
}

}  // namespace testsupport
