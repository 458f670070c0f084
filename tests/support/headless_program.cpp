#include "support/headless_program.h"

#include <QElapsedTimer>

#include "support/stage_settings.h"

namespace testsupport {

void HeadlessProgram::start(const std::filesystem::path& prefs, const std::string& serialDevice,
                            int32_t port, QStringList launcher, QStringList options) {
    writeStageSettings(prefs);
    // Headless needs no display: none is given, as on a stage machine.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("BRANNIC_SERIAL_PORTS", QString::fromStdString(serialDevice));
    environment.remove("QT_QPA_PLATFORM");
    environment.remove("DISPLAY");
    process.setProcessEnvironment(environment);
    QStringList arguments = launcher;
    arguments << BRANNIC_PROGRAM << "--headless"
              << "--port" << QString::number(port) << "--prefs-dir"
              << QString::fromStdString(prefs.string()) << options;
    process.start(arguments.takeFirst(), arguments);
}

bool HeadlessProgram::waitForLine(const std::string& text, int timeoutMs, size_t times) {
    QElapsedTimer timer;
    timer.start();
    while (occurrences(output, text) < times && timer.elapsed() < timeoutMs) {
        process.waitForReadyRead(50);
        output += process.readAllStandardOutput().toStdString();
    }
    return occurrences(output, text) >= times;
}

size_t occurrences(const std::string& output, const std::string& text) {
    size_t count = 0;
    for (size_t at = output.find(text); at != std::string::npos; at = output.find(text, at + 1))
        ++count;
    return count;
}

}  // namespace testsupport
