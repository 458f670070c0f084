// The show kept across a restart: read back when show control first comes on, written as it
// changes; its fixtures and patch lines find their definitions in the fixture library.
#include "fixtures/library.h"
#include "platform/files.h"
#include "platform/timer.h"
#include "shell/module1.h"
#include "shell/window1.h"
#include "show/show_control.h"
#include "show/show_store.h"
#include "status/status_model.h"

void Window1::keepShow() {
    if (showStore_) return;
    showStore_ = std::make_unique<show::ShowStore>(
        platform::GetFolderItem(Module1::showFileOverride.empty() ? Module1::currentShowFile
                                                                  : Module1::showFileOverride),
        [this](const std::string& line) {
            status.addEvent(status::Source::statusLine, line, platform::steadyMs());
        },
        [this](const std::string& unsaved) { showControl.setUnsaved(unsaved); });
    auto find = [this](std::string_view manufacturer, std::string_view model) {
        return fixtures::findDefinition(fixtureLibrary, manufacturer, model);
    };
    auto saved = showStore_->load(find);
    tellDamagedFixtureFiles();
    if (saved) {
        if (std::string problem = showControl.restore(*saved); !problem.empty())
            status.addEvent(status::Source::statusLine, problem, platform::steadyMs());
    }
    // Watched from here on, or the show just read would be written back at once. The store goes
    // before show control does: the watchers find it gone then.
    auto keep = [this] {
        if (showStore_) showStore_->changed([this] { return showControl.saved(); });
    };
    showControl.watch(keep);
    showControl.watchFadeSteps(keep);
}

void Window1::useFixtureLibrary() {
    showControl.setTypeLookup([this](std::string_view words) {
        fixtures::MatchResult match = fixtures::matchType(fixtureLibrary, words);
        tellDamagedFixtureFiles();
        return match;
    });
}

void Window1::tellDamagedFixtureFiles() {
    for (const std::string& line : fixtureLibrary.takeDamagedLines())
        status.addEvent(status::Source::statusLine, line, platform::steadyMs());
}

void Window1::flushShow() {
    if (showStore_) showStore_->flush();
}
