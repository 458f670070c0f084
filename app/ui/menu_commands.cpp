// The menu commands, all handled by the main window.
#include "dmx/win_config.h"
#include "fixtures/library.h"
#include "netdmx/win_network_output.h"
#include "osc/win_osc_input.h"
#include "platform/events.h"
#include "server/live_streams.h"
#include "server/pages.h"
#include "settings/config.h"
#include "settings/live_setting.h"
#include "settings/win_web_config.h"
#include "shell/aux_windows.h"
#include "shell/menubar.h"
#include "shell/window1.h"
#include "show/show_control.h"
#include "show/win_cue_list.h"
#include "ui/launch.h"

namespace {

template <class W>
void showWindow() {
    platform::Implicit<W>::instance().Show();
}

void toggleStartMinimized() {
    Module1::startMinimized = !Module1::startMinimized;
    MenuBar1()
        .Child("ConfigMenu")
        ->Child("ConfigStartMinimized")
        ->setChecked(Module1::startMinimized);
    Module1::writeConfig();
}

platform::MenuItem& configItem(const char* name) {
    return *MenuBar1().Child("ConfigMenu")->Child(name);
}

void toggleLiveLevels() {
    bool on = !Module1::liveLevels;
    configItem("ConfigLiveLevels").setChecked(on);
    if (!on) {
        if (Window1* main = platform::Implicit<Window1>::find()) main->eventStreams.closeAll();
    }
    if (std::string error = Module1::saveLiveLevels(on); !error.empty())
        platform::MsgBox("Live levels not saved: " + error);
}

void toggleShowControl(Window1& window) {
    bool on = !window.showControl.on();
    window.setShowControl(on);
    if (std::string error = Module1::saveShowControl(on); !error.empty())
        platform::MsgBox("Show control not saved: " + error);
}

void showFormPage() {
    winPageContent& view = platform::Implicit<winPageContent>::instance();
    view.Show();
    view.EditField1.setText(Module1::pageContent);
}

void quit() {
    Window1* main = platform::Implicit<Window1>::find();
    if (!main || main->Close()) platform::Application::quit(0);
}

}  // namespace

void Window1::setShowControl(bool on) {
    showControl.setOn(on);
    // After it is on, so the file is not written back for show control coming on.
    if (on) keepShow();
    // The fixture lines and the library page come with show control: the library is indexed on a
    // thread of its own meanwhile, so a cold disk is read before the operator's first search.
    if (on) fixtureLibrary.startIndexing();
    configItem("ConfigShowControl").setChecked(on);
    bool live = on || Module1::liveOverride || Module1::liveLevelsSaved();
    if (!live) eventStreams.closeAll();
    Module1::liveLevels = live;
    configItem("ConfigLiveLevels").setChecked(live);
}

void Window1::registerMenuHandlers() {
    const std::vector<std::pair<const char*, std::function<void()>>> commands = {
        {"FileQuit", quit},
        {"ConfigDMXInterface", showWindow<WinConfig>},
        {"ConfigWebServer", showWindow<WinWebConfig>},
        {"ConfigNetworkOutput",
         [] { platform::Implicit<WinNetworkOutput>::instance().showSettingsInForce(); }},
        {"ConfigOscInput",
         [] { platform::Implicit<WinOscInput>::instance().showSettingsInForce(); }},
        {"ConfigStartMinimized", toggleStartMinimized},
        {"ConfigLiveLevels", toggleLiveLevels},
        {"ConfigShowControl", [this] { toggleShowControl(*this); }},
        // The levels view otherwise appears only with the first command; this brings it up at will.
        {"ViewDMXLevels", showWindow<WinLevels>},
        {"HTMLform", showFormPage},
        {"ViewCommandHistory",
         [this] {
             winHistory& history = platform::Implicit<winHistory>::instance();
             history.setTop(top());
             history.Show();
         }},
        {"ViewCueList", showWindow<WinCueList>},
        {"HelpHelp", showWindow<WinHelp>},
        {"HelpAbout", showWindow<WinAbout>},
    };
    for (const auto& menu : MenuBar1().children()) {
        for (const auto& [name, handler] : commands) {
            if (platform::MenuItem* item = menu->Child(name)) item->handler = handler;
        }
    }
}
