// Shared main of the test programs: the offscreen platform and a private runtime folder are set
// before any Qt object exists (the test discovery runs without the tests' environment).
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/events.h"

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    std::string runtime =
        (std::filesystem::temp_directory_path() / "brannic-test-runtime").string();
    std::filesystem::create_directories(runtime);
    std::filesystem::permissions(runtime, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::replace);
    setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    testing::InitGoogleTest(&argc, argv);
    platform::Application app(argc, argv, /*headless=*/false);
    int result = RUN_ALL_TESTS();
    // Objects whose deletion was deferred by the last test go now, not with the process, so the
    // leak check sees only what was really lost.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    return result;
}
