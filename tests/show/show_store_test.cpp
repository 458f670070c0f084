// The show file through the store, with real files in a temporary folder and the event loop's
// timer.
#include "show/show_store.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <filesystem>
#include <fstream>

#include "support/temp_dir.h"

namespace {

std::string fileText(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

void runEventsFor(int milliseconds) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < milliseconds)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

show::SavedShow showAtMaster(int32_t master) {
    show::SavedShow saved;
    saved.master = master;
    saved.levels[7] = 200;
    return saved;
}

}  // namespace

// A stream of changes (one each 10 ms for 2 s) is written a few times a second, the last within a
// second; a write that keeps failing says so once.
TEST(ShowStore, WritesABurstOfChangesAFewTimesASecondAndFailuresOnce) {
    testsupport::TempDir folder;
    const std::filesystem::path path = folder.path() / "default.shw";
    std::vector<std::string> lines;
    auto statusLine = [&lines](const std::string& line) { lines.push_back(line); };
    show::ShowStore store(platform::FolderItem(path), statusLine);
    show::ShowStore unwritable(platform::FolderItem(folder.path() / "gone" / "default.shw"),
                               statusLine);
    int writes = 0;
    int32_t master = 0;
    QElapsedTimer burst;
    burst.start();
    while (burst.elapsed() < 2000) {
        master = static_cast<int32_t>(burst.elapsed() / 20);
        store.changed([&writes, master] {
            ++writes;
            return showAtMaster(master);
        });
        unwritable.changed([master] { return showAtMaster(master); });
        runEventsFor(10);
    }
    EXPECT_GE(writes, 4);
    EXPECT_LE(writes, 12);
    runEventsFor(1000);
    EXPECT_EQ(fileText(path), show::showFileText(showAtMaster(master)));
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "default.shw.new"));
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].rfind("The show could not be saved: could not create ", 0), 0u) << lines[0];
}
