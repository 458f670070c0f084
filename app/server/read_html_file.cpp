#include "platform/files.h"
#include "platform/window.h"
#include "server/pages.h"
#include "shell/aux_windows.h"

namespace server {

LoadedFormPage loadFormPage(const platform::FolderItem& file, const std::string& name) {
    const std::string unusable = " - bad file, used default form";
    if (!file.Exists()) return {Module1::formPage(), "HTML page file: " + name + unusable};
    LoadedFormPage loaded{{}, "HTML page file: " + name};
    if (auto stream = file.OpenAsTextFile()) {
        loaded.content = stream->ReadAll();
        stream->Close();
    } else {
        loaded.content = Module1::formPage();
        loaded.title += unusable;
    }
    loaded.content = std::string(pageBeforeBodyEnd(loaded.content));
    return loaded;
}

}  // namespace server

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
