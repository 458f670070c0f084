#include "ui/aux_windows.h"

#include "platform/text.h"
#include "platform/window.h"
#include "settings/config.h"
#include "ui/window1.h"

namespace {

Window1& mainWindow() {
    return platform::Implicit<Window1>::instance();
}

}  // namespace

TextViewWindow::TextViewWindow(std::string title, bool visibleOnOpen)
    : platform::Window(std::move(title), 420, 360, visibleOnOpen) {
    place(EditField1, 0, 0);
}

WinLevels::WinLevels() : TextViewWindow("DMX levels") {}

void WinLevels::Open() {
    Window1& main = mainWindow();
    setTop(main.top());
    setLeft(main.left() + main.width());
    if (Module1::startMinimized) Minimize();
}

winHistory::winHistory() : TextViewWindow("Command History") {}

void winHistory::Open() {
    Window1& main = mainWindow();
    setTop(main.top());
    setLeft(main.left() + 2 * main.width());
    if (Module1::startMinimized) Minimize();
}

winPageContent::winPageContent() : TextViewWindow("Page Content") {}

WinHelp::WinHelp() : TextViewWindow("Brannic WebServer Help") {}

WinAbout::WinAbout() : platform::Window("About Brannic Webserver", 380, 200) {
    place(StaticText1, 0, 0);
    place(lblVer, 0, 1);
    place(StaticText2, 1, 0, 1, 2);
    place(StaticText3, 2, 0, 1, 2);
    place(StaticText4, 3, 0, 1, 2);
}

void WinAbout::Open() {
    lblVer.setCaption(platform::Str(BRANNIC_VERSION_MAJOR) + "." +
                      platform::Str(BRANNIC_VERSION_MINOR));
}
