#include "shell/aux_windows.h"

#include "command/console.h"
#include "dmx/level_view.h"
#include "platform/text.h"
#include "platform/window.h"
#include "settings/config.h"
#include "shell/window1.h"

TextViewWindow::TextViewWindow(std::string title, bool visibleOnOpen)
    : platform::Window(std::move(title), 420, 360, visibleOnOpen) {
    place(EditField1, 0, 0);
}

WinLevels::WinLevels() : TextViewWindow("DMX levels") {}

void WinLevels::Open() {
    if (const Window1* main = platform::Implicit<Window1>::find()) {
        setTop(main->top());
        setLeft(main->left() + main->width());
        EditField1.setText(dmx::levelViewText(main->console.levels()));
    }
    if (Module1::startMinimized) Minimize();
}

winHistory::winHistory() : TextViewWindow("Command History", false) {}

void winHistory::Open() {
    if (const Window1* main = platform::Implicit<Window1>::find()) {
        setTop(main->top());
        setLeft(main->left() + 2 * main->width());
        EditField1.setText(main->console.history());
    }
    if (Module1::startMinimized) Minimize();
}

winPageContent::winPageContent() : TextViewWindow("Page Content", false) {}

namespace {

constexpr const char* helpText =
    R"(Brannic Webserver turns this computer into a DMX-512 lighting console that you run from any web
browser, for example a phone on the stage.

CONNECTING
Open the address shown in the main window (LAN IP Address and Socket Port), for example
http://192.168.1.20:80/ , in a browser on the same network. Type a command into the field and
press Enter. The page that the browser shows is the file DMXform.htm beside the program; edit it
to restyle the page. Without that file a built-in page is used.

COMMAND SYNTAX:  channel(s) @ level
  channel   0 1 2 3 4 5 6 7 8 9
  AND       P or p or + (plus sign)
  THRU      T or t or / (slash)
  EXCEPT    E or e or - (hyphen or minus)
  AT        A or a or @ or * (asterisk)
  FULL      F or f, or enter without a level number
  DMX       D or d - the level is a DMX value 0-255 instead of a percentage

A single digit level is ten times that number: 4 sets 40%. To set levels below 10% enter a zero
first: 05 sets 5%. Without channel numbers (@ level) the previously selected channels are set.

EXAMPLES
  34@25          channel 34 to 25%
  504@D184       channel 504 to the DMX value 184
  10+20@5        channels 10 and 20 to 50%
  3/9@           channels 3 to 9 to full
  1/5+8+11@75    channels 1, 2, 3, 4, 5, 8 and 11 to 75%
  1/5-2-4@6      channels 1, 3 and 5 to 60%
  1/7-4/6@3      channels 1, 2, 3 and 7 to 30%
)";

}  // namespace

WinHelp::WinHelp() : TextViewWindow("Brannic WebServer Help") {
    EditField1.setText(helpText);
}

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
