#include "shell/menubar.h"

namespace {

using platform::MenuItem;

MenuItem& addMenu(MenuItem& bar, const char* name, const char* text) {
    return bar.append(std::make_unique<MenuItem>(name, text));
}

void addItem(MenuItem& menu, const char* name, const char* text, const char* shortcut = "") {
    menu.append(std::make_unique<MenuItem>(name, text, shortcut));
}

std::unique_ptr<MenuItem> buildMenuBar() {
    auto bar = std::make_unique<MenuItem>("MenuBar1", "");
    MenuItem& file = addMenu(*bar, "FileMenu", "&File");
    addItem(file, "FileQuit", "Quit", "Cmd+Q");
    file.Child("FileQuit")->markAsQuitItem();

    MenuItem& edit = addMenu(*bar, "EditMenu", "&Edit");
    addItem(edit, "EditUndo", "&Undo", "Cmd+Z");
    addItem(edit, "UntitledMenu1", "-");
    addItem(edit, "EditCut", "Cu&t", "Cmd+X");
    addItem(edit, "EditCopy", "&Copy", "Cmd+C");
    addItem(edit, "EditPaste", "&Paste", "Cmd+V");
    addItem(edit, "EditClear", "&Delete");
    addItem(edit, "UntitledMenu0", "-");
    addItem(edit, "EditSelectAll", "Select &All", "Cmd+A");

    MenuItem& config = addMenu(*bar, "ConfigMenu", "Config");
    addItem(config, "ConfigDMXInterface", "DMX Interface");
    addItem(config, "ConfigWebServer", "WebServer");
    addItem(config, "ConfigNetworkOutput", "Network Output");
    addItem(config, "ConfigOscInput", "OSC Input");
    addItem(config, "ConfigStartMinimized", "Start Minimized");
    addItem(config, "ConfigLiveLevels", "Live Levels for Browsers");
    addItem(config, "ConfigShowControl", "Show Control");

    MenuItem& view = addMenu(*bar, "ViewMenu", "View");
    addItem(view, "ViewDMXLevels", "DMX Levels");
    addItem(view, "HTMLform", "HTML form");
    addItem(view, "ViewCommandHistory", "Command History");
    addItem(view, "ViewCueList", "Cue List");

    MenuItem& help = addMenu(*bar, "HelpMenu", "Help");
    addItem(help, "HelpHelp", "Help");
    addItem(help, "HelpAbout", "About");
    return bar;
}

}  // namespace

platform::MenuItem& MenuBar1() {
    static std::unique_ptr<MenuItem> bar = buildMenuBar();
    return *bar;
}
