// The show kept across a restart: read back when show control first comes on, written as it
// changes.
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
    if (auto saved = showStore_->load()) {
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

void Window1::flushShow() {
    if (showStore_) showStore_->flush();
}
