#pragma once
// A fresh main window as the implicit instance (its console with a zero store), with fresh
// auxiliary windows.

#include <gtest/gtest.h>

#include <memory>

#include "command/console.h"
#include "dmx/win_config.h"
#include "platform/window.h"
#include "shell/aux_windows.h"
#include "shell/window1.h"

class MainWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        resetAuxiliaryWindows();
        platform::Implicit<Window1>::adopt(std::make_unique<Window1>());
    }
    void TearDown() override {
        resetAuxiliaryWindows();
        platform::Implicit<Window1>::reset();
    }

    Window1& window() { return platform::Implicit<Window1>::instance(); }
    const std::string& history() {
        return platform::Implicit<winHistory>::instance().EditField1.text();
    }

  private:
    static void resetAuxiliaryWindows() {
        platform::Implicit<winHistory>::reset();
        platform::Implicit<WinLevels>::reset();
        platform::Implicit<WinConfig>::reset();
    }
};
