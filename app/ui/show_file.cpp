// The show kept across a restart: read back when show control first comes on, written as it
// changes.
#include "platform/files.h"
#include "shell/module1.h"
#include "shell/window1.h"
#include "show/show_control.h"
#include "show/show_store.h"

void Window1::keepShow() {
    if (showStore_) return;
    showStore_ = std::make_unique<show::ShowStore>(
        platform::GetFolderItem(Module1::showFileOverride.empty() ? Module1::currentShowFile
                                                                  : Module1::showFileOverride),
        [this](const std::string& line) { StaticText1.setCaption(line); },
        [this](const std::string& unsaved) { showControl.setUnsaved(unsaved); });
    if (auto saved = showStore_->load()) showControl.restore(*saved);
    // Watched from here on, or the show just read would be written back at once. The store goes
    // before show control does: the watcher finds it gone then.
    showControl.watch([this] {
        if (showStore_) showStore_->changed([this] { return showControl.saved(); });
    });
}

void Window1::flushShow() {
    if (showStore_) showStore_->flush();
}
