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
    // Show control on, the interface on the first pseudo-terminal, and the Cue List window opened
    // from its menu item.
    WinCueList& openCueList() {
        useSerialPorts(1);
        testsupport::writeStageSettings(prefs.path());
        Window1& window = startProgram();
        window.setShowControl(true);
        MenuBar1().Child("ViewMenu")->Child("ViewCueList")->choose();
        EXPECT_TRUE(Implicit<WinCueList>::instance().visible());
        return Implicit<WinCueList>::instance();
    }

    void run(const char* line) { Implicit<Window1>::instance().showControl.runLine(line); }

    // The newest whole frame on the interface's pseudo-terminal.
    std::string lastFrame() {
        std::string sent = ptys[0]->readExactly(dmx::frameSize);
        sent += ptys[0]->readFor(50);
        return sent.size() < dmx::frameSize ? "" : sent.substr(sent.size() - dmx::frameSize);
    }

    static int level(const std::string& frame, int channel) {
        return static_cast<uint8_t>(frame.at(size_t(4 + channel)));
    }
};

QWidget* viewOf(const char* title) {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->windowTitle() == title && widget->isVisible()) return widget;
    }
    return nullptr;
}

}  // namespace

// Cue 1 holds channel 1, cue 2 channel 2. GO by the button brings up cue 1; the space bar, pressed
// while the BACK button holds the focus, is GO all the same and brings up cue 2.
TEST_F(CueListTest, GoByTheButtonAndByTheSpaceBarSendsTheNextCue) {
    WinCueList& cueList = openCueList();
    for (const char* line : {"1@100", "rec 1 time 0", "1@0", "2@100", "rec 2 time 0", "2@0"})
        run(line);
    ptys[0]->readFor(100);

    cueList.cmdGo.push();
    std::string frame = lastFrame();
    EXPECT_EQ(level(frame, 1), 255);
    EXPECT_EQ(level(frame, 2), 0);
    EXPECT_EQ(cueList.lstCues.rows().at(0).at(0), "current");
    EXPECT_EQ(cueList.lstCues.rows().at(1).at(0), "next");

    QWidget* view = nullptr;
    ASSERT_TRUE(testsupport::waitUntil([&] { return (view = viewOf("Cue List")) != nullptr; }));
    view->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(view));
    QPushButton* back = nullptr;
    for (QPushButton* button : view->findChildren<QPushButton*>())
        if (button->text() == "BACK") back = button;
    ASSERT_NE(back, nullptr);
    back->setFocus();
    QTest::keyClick(back, Qt::Key_Space);
    frame = lastFrame();
    EXPECT_EQ(level(frame, 1), 0);
    EXPECT_EQ(level(frame, 2), 255);
    EXPECT_EQ(cueList.lblCue.caption(), "cue 2");
    EXPECT_EQ(Implicit<Window1>::instance().console.lineSource(), "Cue List");
}

// A master set by another client moves the slider without the window sending it back; the user's
// move of the slider sends its own line.
TEST_F(CueListTest, TheMasterFollowsOtherClientsAndOnlyTheUsersMoveIsSent) {
    WinCueList& cueList = openCueList();
    Window1& window = Implicit<Window1>::instance();
    window.showControl.runLine("gm 40", "192.168.1.34");
    EXPECT_EQ(cueList.sldMaster.value(), 40);
    EXPECT_EQ(cueList.lblMaster.caption(), "Master 40%");
    EXPECT_TRUE(cueList.lblMaster.alert());
    EXPECT_EQ(window.console.lineSource(), "192.168.1.34");

    cueList.sldMaster.userMoved(70);
    EXPECT_EQ(window.showControl.engine().master(), 70);
    EXPECT_EQ(window.console.query(), "gm 70");
    EXPECT_EQ(window.console.lineSource(), "Cue List");
}

TEST_F(CueListTest, BlackoutBoxSwitchesTheBlackoutAndFollowsIt) {
    WinCueList& cueList = openCueList();
    cueList.chkBlackout.click();
    EXPECT_TRUE(Implicit<Window1>::instance().showControl.engine().blackout());
    run("bo");
    EXPECT_FALSE(cueList.chkBlackout.value());
}

// GO pressed while a command line is halfway through (it lets events run between its characters)
// waits for that line to end.
TEST_F(CueListTest, GoDuringARunningLineWaitsForItsEnd) {
    WinCueList& cueList = openCueList();
    Window1& window = Implicit<Window1>::instance();
    run("1@100");
    run("rec 1 time 0");
    bool pushed = false;
    window.console.runLine("2@100", "", [&] {
        if (std::exchange(pushed, true)) return;
        cueList.cmdGo.push();
        EXPECT_FALSE(window.showControl.engine().currentCue());
    });
    EXPECT_TRUE(testsupport::waitUntil(
        [&] { return window.showControl.engine().currentCue().has_value(); }));
    EXPECT_EQ(window.console.query(), "go");
}

TEST_F(CueListTest, WithShowControlOffTheWindowSaysSoAndTakesNoInput) {
    WinCueList& cueList = openCueList();
    Implicit<Window1>::instance().setShowControl(false);
    EXPECT_EQ(cueList.lblCue.caption(), "Show control is off: Config > Show Control turns it on.");
    EXPECT_FALSE(cueList.cmdGo.enabled());
    EXPECT_FALSE(cueList.sldMaster.enabled());
    Implicit<Window1>::instance().setShowControl(true);
    EXPECT_TRUE(cueList.chkBlackout.enabled());
    EXPECT_EQ(cueList.lblCue.caption(), "no cue");
}
