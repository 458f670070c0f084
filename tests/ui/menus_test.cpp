#include "server/pages.h"
#include "settings/config.h"
#include "shell/aux_windows.h"
#include "shell/menubar.h"
#include "ui/desktop_fixture.h"

using platform::Implicit;

namespace {
platform::MenuItem& item(const char* menu, const char* name) {
    return *MenuBar1().Child(menu)->Child(name);
}
}  // namespace

TEST_F(DesktopTest, StartMinimizedTwiceReturnsToTheFirstState) {
    mainWindow();
    platform::MenuItem& startMinimized = item("ConfigMenu", "ConfigStartMinimized");
    startMinimized.choose();
    EXPECT_TRUE(Module1::startMinimized);
    EXPECT_TRUE(startMinimized.checked());
    EXPECT_EQ(settingsLines().at(5), "startMinimized=true");
    startMinimized.choose();
    EXPECT_FALSE(Module1::startMinimized);
    EXPECT_FALSE(startMinimized.checked());
    EXPECT_EQ(settingsLines().at(5), "startMinimized=false");
    EXPECT_EQ(platform::messageLog(), (std::vector<std::string>{"saved Config", "saved Config"}));
}

TEST_F(DesktopTest, CommandHistoryFollowsTheMainWindowEveryTime) {
    Window1& window = mainWindow();
    window.setTop(120);
    item("ViewMenu", "ViewCommandHistory").choose();
    winHistory& history = Implicit<winHistory>::instance();
    EXPECT_TRUE(history.visible());
    EXPECT_EQ(history.top(), 120);
    EXPECT_EQ(history.left(), window.left() + 2 * window.width());
    history.setTop(400);
    window.setTop(200);
    item("ViewMenu", "ViewCommandHistory").choose();
    EXPECT_EQ(history.top(), 200);
}

TEST_F(DesktopTest, ViewsOpenFromTheirMenuItems) {
    Window1& window = mainWindow();
    Module1::pageContent = "<form>page</form>";
    item("ViewMenu", "HTMLform").choose();
    EXPECT_EQ(Implicit<winPageContent>::instance().EditField1.text(), "<form>page</form>");
    EXPECT_TRUE(Implicit<winPageContent>::instance().visible());
    item("HelpMenu", "HelpAbout").choose();
    EXPECT_EQ(Implicit<WinAbout>::instance().lblVer.caption(), "1.5");
    item("HelpMenu", "HelpHelp").choose();
    EXPECT_NE(Implicit<WinHelp>::instance().EditField1.text().find("1/5+8+11@75"),
              std::string::npos);
    item("ViewMenu", "ViewDMXLevels").choose();
    EXPECT_EQ(Implicit<WinLevels>::instance().left(), window.left() + window.width());
}

TEST_F(DesktopTest, AuxiliaryWindowsMinimizeThemselvesWhenSoConfigured) {
    mainWindow();
    Module1::startMinimized = true;
    EXPECT_TRUE(Implicit<WinLevels>::instance().minimized());
    EXPECT_TRUE(Implicit<winHistory>::instance().minimized());
    EXPECT_FALSE(Implicit<WinHelp>::instance().minimized());
}

TEST_F(DesktopTest, MenuBarHasEveryItemWithItsShortcut) {
    EXPECT_EQ(item("FileMenu", "FileQuit").keyboardShortcut(), "Cmd+Q");
    EXPECT_TRUE(item("FileMenu", "FileQuit").isQuitItem());
    EXPECT_EQ(item("EditMenu", "EditSelectAll").text(), "Select &All");
    EXPECT_EQ(item("EditMenu", "EditClear").keyboardShortcut(), "");
    std::vector<std::string> menus;
    for (const auto& menu : MenuBar1().children()) menus.push_back(menu->text());
    EXPECT_EQ(menus, (std::vector<std::string>{"&File", "&Edit", "Config", "View", "Help"}));
    EXPECT_EQ(MenuBar1().Child("EditMenu")->children().size(), 8u);
}
