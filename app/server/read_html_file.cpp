#include "platform/files.h"
#include "platform/window.h"
#include "server/pages.h"
#include "shell/aux_windows.h"

namespace Module1 {

void readHTMLfile(const std::string& name) {
    // The page is always this file; name only labels the view.
    server::LoadedFormPage loaded =
        server::loadFormPage(platform::GetFolderItem("DMXform.htm"), name);
    pageContent = std::move(loaded.content);
    winPageContent& view = platform::Implicit<winPageContent>::instance();
    view.setTitle(loaded.title);
    view.Hide();
}

}  // namespace Module1
