#include "platform/files.h"

#include <gtest/gtest.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <vector>

#include "support/temp_dir.h"

using platform::FolderItem;

namespace {

std::string contents(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// What fn gives back when run in a child process, whose rights and mounts the test may change.
std::string inChild(const std::function<std::string()>& fn) {
    int pipeFds[2];
    if (::pipe(pipeFds) != 0) return "no pipe";
    pid_t child = ::fork();
    if (child == 0) {
        std::string result = fn();
        ssize_t ignored = ::write(pipeFds[1], result.data(), result.size());
        ::_exit(ignored < 0);
    }
    ::close(pipeFds[1]);
    std::string result;
    char buffer[256];
    for (ssize_t n; (n = ::read(pipeFds[0], buffer, sizeof buffer)) > 0;) result.append(buffer, n);
    ::close(pipeFds[0]);
    ::waitpid(child, nullptr, 0);
    return result;
}

// The reason of a failed save of a long text into folder.
std::string saveFailure(const std::filesystem::path& folder) {
    std::string error;
    auto out = FolderItem(folder / "Tolvex.config").CreateTextFile(error);
    if (!out) return error;
    out->WriteLine(std::string(64 * 1024, 'x'));
    return out->Close();
}

}  // namespace

TEST(Files, ReadLineTakesEveryKindOfLineEnd) {
    testsupport::TempDir dir;
    std::ofstream(dir.path() / "t.txt", std::ios::binary) << "a\r\nb\nc\rd";
    auto in = FolderItem(dir.path() / "t.txt").OpenAsTextFile();
    ASSERT_TRUE(in);
    EXPECT_EQ(in->ReadLine(), "a");
    EXPECT_EQ(in->ReadLine(), "b");
    EXPECT_EQ(in->ReadLine(), "c");
    EXPECT_FALSE(in->EOF_());
    EXPECT_EQ(in->ReadLine(), "d");
    EXPECT_TRUE(in->EOF_());
    EXPECT_EQ(in->ReadLine(), "");
}

TEST(Files, MissingFilesAndFoldersDoNotOpen) {
    testsupport::TempDir dir;
    EXPECT_FALSE(FolderItem(dir.path() / "none").Exists());
    EXPECT_FALSE(FolderItem(dir.path() / "none").OpenAsTextFile());
    EXPECT_FALSE(FolderItem(dir.path()).OpenAsTextFile());
}

TEST(Files, NewFileReplacesTheOldOneOnlyWhenClosed) {
    testsupport::TempDir dir;
    FolderItem item(dir.path() / "settings");
    std::ofstream(item.path()) << "old\n";
    std::string error;
    auto out = item.CreateTextFile(error, /*ownerOnly=*/true);
    ASSERT_TRUE(out) << error;
    out->WriteLine("new");
    EXPECT_EQ(contents(item.path()), "old\n");  // untouched until the new text is complete
    EXPECT_EQ(out->Close(), "");
    EXPECT_EQ(contents(item.path()), "new\n");
    struct stat info {};
    ASSERT_EQ(stat(item.path().c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    EXPECT_FALSE(FolderItem(dir.path() / "settings.new").Exists());
}

// A show file given as a symbolic link into another folder: the save replaces the file the link
// leads to, which keeps its mode and group, and the link stays; a dangling link gets its file.
TEST(Files, SaveThroughALinkReplacesItsFileKeepingModeAndGroup) {
    testsupport::TempDir dir;
    std::filesystem::create_directory(dir.path() / "shows");
    std::filesystem::create_directory(dir.path() / "stage");
    const auto target = dir.path() / "shows" / "real.shw";
    const auto link = dir.path() / "stage" / "default.shw";
    std::ofstream(target) << "old\n";
    std::filesystem::create_symlink("../shows/real.shw", link);
    // Root may give any group; another user one of its own.
    std::vector<gid_t> groups(size_t(std::max(::getgroups(0, nullptr), 0)));
    groups.resize(size_t(std::max(::getgroups(int(groups.size()), groups.data()), 0)));
    const gid_t group = ::geteuid() == 0 ? 4321 : groups.empty() ? ::getegid() : groups.back();
    ASSERT_EQ(::chown(target.c_str(), uid_t(-1), group), 0);
    ASSERT_EQ(::chmod(target.c_str(), 0640), 0);

    const auto save = [](const std::filesystem::path& path, const std::string& line) {
        std::string error;
        auto out = FolderItem(path).CreateTextFile(error);
        if (!out) return error;
        out->WriteLine(line);
        return out->Close();
    };
    EXPECT_EQ(save(link, "new"), "");
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(contents(target), "new\n");
    struct stat info {};
    ASSERT_EQ(stat(target.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_EQ(info.st_gid, group);
    EXPECT_EQ(FolderItem(link).KeepAlsoAs(FolderItem(dir.path() / "stage" / "kept.shw")), "");
    EXPECT_FALSE(std::filesystem::is_symlink(dir.path() / "stage" / "kept.shw"));

    std::filesystem::create_symlink(dir.path() / "shows" / "later.shw", dir.path() / "later.shw");
    EXPECT_EQ(save(dir.path() / "later.shw", "first"), "");
    EXPECT_TRUE(std::filesystem::is_symlink(dir.path() / "later.shw"));
    EXPECT_EQ(contents(dir.path() / "shows" / "later.shw"), "first\n");
}

TEST(Files, AbandonedWriteLeavesTheOldFile) {
    testsupport::TempDir dir;
    FolderItem item(dir.path() / "settings");
    std::ofstream(item.path()) << "old\n";
    {
        std::string error;
        auto out = item.CreateTextFile(error);
        out->WriteLine("half");
    }
    EXPECT_EQ(contents(item.path()), "old\n");
    EXPECT_FALSE(FolderItem(dir.path() / "settings.new").Exists());
}

TEST(Files, UnwritableFolderReportsTheReason) {
    std::string error;
    auto out = FolderItem("/nonexistent-folder/settings").CreateTextFile(error);
    EXPECT_FALSE(out);
    EXPECT_NE(error.find("/nonexistent-folder/settings"), std::string::npos);
}

// A full disk (a tiny tmpfs in a mount namespace of the child's own) and a folder the user may not
// write say so, with the file's name.
TEST(Files, FullDiskAndDeniedFolderNameTheCause) {
    testsupport::TempDir dir;
    std::string denied = inChild([&] {
        ::chmod(dir.path().c_str(), 0500);
        // Root may write anywhere: the child gives up its rights first.
        if (::geteuid() == 0 && ::setuid(65534) != 0) return std::string("no setuid");
        return saveFailure(dir.path());
    });
    ::chmod(dir.path().c_str(), 0700);
    EXPECT_EQ(denied, "could not create " + (dir.path() / "Tolvex.config").string() +
                          ": Permission denied");

    std::string full = inChild([&] {
        bool mounted = ::unshare(CLONE_NEWNS) == 0 &&
                       ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
                       ::mount("tmpfs", dir.path().c_str(), "tmpfs", 0, "size=8k") == 0;
        return mounted ? saveFailure(dir.path()) : std::string("no tmpfs");
    });
    if (full == "no tmpfs") GTEST_SKIP() << "no mount namespace here for a full disk";
    EXPECT_EQ(full, "could not write " + (dir.path() / "Tolvex.config").string() +
                        ": No space left on device");
}

TEST(Files, FolderItemsBesideTheProgram) {
    platform::setApplicationFolder("/opt/brannic");
    EXPECT_EQ(platform::GetFolderItem("DMXform.htm").path(), "/opt/brannic/DMXform.htm");
    EXPECT_EQ(platform::GetFolderItem("/shows/a.shw").path(), "/shows/a.shw");
    platform::setApplicationFolder({});
}
