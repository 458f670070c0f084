#include "support/cpu_ticks.h"

#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

namespace testsupport {

long cpuTicks(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), {});
    // Fields after the command name: state is field 3, utime and stime are 14 and 15.
    std::istringstream fields(text.substr(text.rfind(')') + 2));
    std::string skipped;
    for (int field = 3; field < 14; ++field) fields >> skipped;
    long user = 0, system = 0;
    fields >> user >> system;
    return user + system;
}

}  // namespace testsupport
