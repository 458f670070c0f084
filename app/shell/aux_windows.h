#pragma once
// The auxiliary windows, each reached through its implicit instance.

#include "platform/controls.h"
#include "platform/window.h"

// A window that shows one multi-line text.
class TextViewWindow : public platform::Window {
  public:
    TextViewWindow(std::string title, bool visibleOnOpen = true);
    platform::EditField EditField1{"EditField1", "", true};
};

class WinLevels : public TextViewWindow {
  public:
    WinLevels();
    void Open() override;
};

class winHistory : public TextViewWindow {
  public:
    winHistory();
    void Open() override;
};

class winPageContent : public TextViewWindow {
  public:
    winPageContent();
};

class WinHelp : public TextViewWindow {
  public:
    WinHelp();
};

class WinAbout : public platform::Window {
  public:
    WinAbout();
    void Open() override;
    platform::StaticText StaticText1{"StaticText1", "Brannic WebServer Ver"};
    platform::StaticText lblVer{"lblVer", ""};
    platform::StaticText StaticText2{
        "StaticText2", "Written for lighting people who run their shows from a phone."};
    platform::StaticText StaticText3{
        "StaticText3", "Commands in the classic console syntax, straight to the rig."};
    platform::StaticText StaticText4{"StaticText4", "Works with the Enttec USB DMX Pro interface."};
};
