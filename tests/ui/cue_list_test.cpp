// The Cue List window with the real widgets on the offscreen platform and the DMX interface on a
// pseudo-terminal.
#include <QApplication>
#include <QPushButton>
#include <QTest>

#include "command/console.h"
#include "dmx/interface_packets.h"
#include "shell/menubar.h"
#include "show/show_control.h"
#include "show/win_cue_list.h"
#include "support/stage_settings.h"
#include "ui/desktop_fixture.h"

using platform::Implicit;

namespace {

class CueListTest : public DesktopTest {
  protected:
    // Show control on, the interface on a pseudo-terminal, the window opened from its menu item.
    WinCueList& openCueList() {
        useSerialPorts(1);
        testsupport::writeStageSettings(prefs.path());
        startProgram().setShowControl(true);
        MenuBar1().Child("ViewMenu")->Child("ViewCueList")->choose();
        return Implicit<WinCueList>::instance();
    }

    Window1& main() { return Implicit<Window1>::instance(); }

    // Channels 1 and 2 of the newest whole frame on the pseudo-terminal.
    std::pair<int, int> lastLevels() {
        std::string sent = ptys[0]->readExactly(dmx::frameSize);
        sent += ptys[0]->readFor(50);
        std::string frame = sent.substr(sent.size() - dmx::frameSize);
        return {uint8_t(frame.at(5)), uint8_t(frame.at(6))};
    }
};

QWidget* shownView(const char* title) {
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->windowTitle() == title && window->isVisible()) return window;
    return nullptr;
}

}  // namespace

// GO by the button brings up cue 1; the space bar, pressed while the BACK button holds the focus,
// is GO all the same and brings up cue 2.
TEST_F(CueListTest, GoByTheButtonAndByTheSpaceBarSendsTheNextCue) {
    WinCueList& cueList = openCueList();
    for (const char* line : {"1@100", "rec 1 time 0", "1@0", "2@100", "rec 2 time 0", "2@0"})
        main().showControl.runLine(line);
    ptys[0]->readFor(100);

    cueList.cmdGo.push();
    EXPECT_EQ(lastLevels(), std::make_pair(255, 0));
    EXPECT_EQ(cueList.lstCues.rows().at(1).at(0), "next");

    QWidget* view = nullptr;
    ASSERT_TRUE(testsupport::waitUntil([&] { return (view = shownView("Cue List")) != nullptr; }));
    view->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(view));
    QPushButton* back = view->findChildren<QPushButton*>().at(1);
    ASSERT_EQ(back->text(), "BACK");
    back->setFocus();
    QTest::keyClick(back, Qt::Key_Space);
    EXPECT_EQ(lastLevels(), std::make_pair(0, 255));
    EXPECT_EQ(cueList.lblCue.caption(), "cue 2");
}

// The window follows a master set by another client without sending it back; what the user moves
// is sent.
TEST_F(CueListTest, MasterFollowsOtherClientsAndOnlyTheUsersChangesAreSent) {
    WinCueList& cueList = openCueList();
    main().showControl.runLine("gm 40", "192.168.1.34");
    EXPECT_EQ(cueList.sldMaster.value(), 40);
    EXPECT_EQ(main().console.lineSource(), "192.168.1.34");

    cueList.sldMaster.userMoved(70);
    EXPECT_EQ(main().console.query(), "gm 70");
    EXPECT_EQ(main().console.lineSource(), "Cue List");
    cueList.chkBlackout.click();
    EXPECT_TRUE(main().showControl.engine().blackout());
}
