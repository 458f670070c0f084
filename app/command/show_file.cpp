#include "command/level_store.h"
#include "command/show_file_format.h"

namespace Module1 {

void loadShowFile(const platform::FolderItem& item) {
    if (!item.Exists()) return;
    auto stream = item.OpenAsTextFile();
    if (!stream) return;
    showFields.clear();
    while (!stream->EOF_()) showFields.push_back(command::showLineFields(stream->ReadLine()));
    stream->Close();
}

}  // namespace Module1
