// Draws the main window and the dialogs as an operator sees them, into build/screenshots/, so that
// their look can be checked by eye; the test asserts that each drawing is a real image with text on
// it.
#include <QImage>

#include "dmx/win_config.h"
#include "platform/widget_view.h"
#include "settings/win_web_config.h"
#include "shell/aux_windows.h"
#include "show/show_control.h"
#include "show/win_cue_list.h"
#include "ui/desktop_fixture.h"

using platform::Implicit;

namespace {

void expectDrawn(platform::Window& window, const std::string& name) {
    std::filesystem::create_directories(BRANNIC_SCREENSHOT_DIR);
    std::string path = std::string(BRANNIC_SCREENSHOT_DIR) + "/" + name + ".png";
    window.Show();
    ASSERT_TRUE(platform::saveWindowImage(window, path)) << name;
    QImage image(QString::fromStdString(path));
    EXPECT_GE(image.width(), 300) << name;
    EXPECT_GE(image.height(), 150) << name;
    // A window drawn at all is more than one flat colour, and its captions leave dark text pixels.
    const QRgb background = image.pixel(0, 0);
    int differing = 0;
    int dark = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (pixel != background) ++differing;
            if (qGray(pixel) < 100) ++dark;
        }
    }
    EXPECT_GT(differing, 0) << name << " is one flat colour";
    EXPECT_GE(dark, 50) << name << " shows no text";
}

}  // namespace

TEST_F(DesktopTest, WindowsDrawForTheOperator) {
    useSerialPorts(2);
    Window1& window = startProgram();
    window.lblQuery.setCaption("1/5+8+11@75");
    window.lblTokens.setCaption("1 / 5 + 8 + 11 @ 75 | ");
    window.lblResults.setCaption(" 1 2 3 4 5 8 11 @ 75");
    window.StaticText1.setCaption("Connected to: 192.168.1.34");
    expectDrawn(window, "main-window");
    expectDrawn(Implicit<WinConfig>::instance(), "dmx-interface-dialog");
    expectDrawn(Implicit<WinWebConfig>::instance(), "web-server-dialog");
    expectDrawn(Implicit<WinAbout>::instance(), "about");
    expectDrawn(Implicit<WinHelp>::instance(), "help");
}

TEST_F(DesktopTest, CueListDrawsForTheOperator) {
    Window1& window = startProgram();
    window.setShowControl(true);
    for (const char* line :
         {"1/4@60", "rec 1 label Preset", "5@100", "rec 2 time 2/4 label Act 1", "6@70",
          "rec 2.5 time 0.5", "rec 3 time 8 label Blackout at end", "goto 2 time 0", "gm 80"})
        window.showControl.runLine(line);
    expectDrawn(window, "main-window-show");
    expectDrawn(Implicit<WinCueList>::instance(), "cue-list");
}
