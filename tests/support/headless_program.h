#pragma once
// The program as a stage machine runs it: headless, on a port, with a settings folder of its own
// whose serial port 0 is the device given (a pseudo-terminal). For the tests and benchmarks that
// run it as a child process; their target defines BRANNIC_PROGRAM, the program's path.

#include <QProcess>
#include <QStringList>
#include <cstdint>
#include <filesystem>
#include <string>

namespace testsupport {

struct HeadlessProgram {
    QProcess process;
    // Standard output as read so far by waitForLine.
    std::string output;

    // Writes the settings and starts the program on port; launcher (such as "unshare", "-n") goes
    // before the program, options after it.
    void start(const std::filesystem::path& prefs, const std::string& serialDevice, int32_t port,
               QStringList launcher = {}, QStringList options = {});
    // Reads standard output until text has come (times times) or the time is up; whether it came.
    bool waitForLine(const std::string& text, int timeoutMs = 5000, size_t times = 1);
};

// How many times text is in output.
size_t occurrences(const std::string& output, const std::string& text);

}  // namespace testsupport
