#pragma once
// A fresh main window as the implicit instance, with fresh auxiliary windows and a zero store.

#include <gtest/gtest.h>

#include <memory>

#include "command/level_store.h"
#include "dmx/win_config.h"
#include "platform/window.h"
#include "shell/aux_windows.h"
#include "shell/window1.h"

class MainWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Module1::DMXdata = {};
        resetAuxiliaryWindows();
        platform::Implicit<Window1>::adopt(std::make_unique<Window1>());
    }
    void TearDown() override {
        resetAuxiliaryWindows();
        platform::Implicit<Window1>::reset();
        Module1::DMXdata = {};
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
