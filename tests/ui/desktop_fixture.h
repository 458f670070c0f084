#pragma once
// A fresh program in this process: temporary preferences and program folders, serial ports played
// by pseudo-terminals, the real plug-in bound, and the main window made without its start-up.

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <vector>

#include "platform/events.h"
#include "server/entrypoints.h"
#include "shell/window1.h"
#include "support/loopback.h"
#include "support/program_state.h"
#include "support/pty_pair.h"
#include "support/temp_dir.h"
#include "ui/launch.h"

class DesktopTest : public ::testing::Test {
  protected:
    void SetUp() override {
        static const std::string bound = Module1::bindPluginMethods(BRANNIC_PLUGIN_PATH);
        ASSERT_EQ(bound, "");
        testsupport::resetProgramState(prefs.path(), app.path());
        useSerialPorts(0);
        Module1::portOverride = freePort();
    }

    void TearDown() override {
        testsupport::resetProgramState(prefs.path(), app.path());
        unsetenv("BRANNIC_SERIAL_PORTS");
    }

    // count pseudo-terminals as the system's serial ports, plus devices that cannot be opened.
    void useSerialPorts(int count, const std::vector<std::string>& missing = {}) {
        ptys.clear();
        std::string list;
        for (int i = 0; i < count; ++i) {
            ptys.push_back(std::make_unique<testsupport::PtyPair>());
            list += ptys.back()->devicePath() + ":";
        }
        for (const auto& device : missing) list += device + ":";
        setenv("BRANNIC_SERIAL_PORTS", list.c_str(), 1);
    }

    void writeSettings(const std::string& text) {
        std::ofstream(prefs.path() / "Tolvex.config") << text;
    }

    std::vector<std::string> settingsLines() {
        std::ifstream in(prefs.path() / "Tolvex.config");
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);) lines.push_back(line);
        return lines;
    }

    Window1& mainWindow() {
        return platform::Implicit<Window1>::adopt(std::make_unique<Window1>());
    }

    Window1& startProgram() {
        Window1& window = mainWindow();
        window.Open();
        window.Show();
        return window;
    }

    static int32_t freePort() { return testsupport::freePort(); }

    testsupport::TempDir prefs;
    testsupport::TempDir app;
    std::vector<std::unique_ptr<testsupport::PtyPair>> ptys;
};
