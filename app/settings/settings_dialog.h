#pragma once
// A settings dialog whose OK button checks its fields as the settings file is checked, applies
// them to what runs at once and saves them; a bad value is shown in a message box and nothing is
// changed.

#include <functional>
#include <string>

#include "platform/window.h"

class SettingsDialog : public platform::Window {
  public:
    using platform::Window::Window;
    void Open() override { fillFromSettingsInForce(); }
    // Shows the settings in force, not edits left behind when the window was last closed.
    void showSettingsInForce();

  protected:
    virtual void fillFromSettingsInForce() = 0;
    // The end of OK: with a problem, says it and changes nothing; else applies, saves and closes.
    void applyAndSave(const std::string& problem, const std::function<void()>& apply);
};
