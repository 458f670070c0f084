#include "platform/files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>

#include "support/temp_dir.h"

using platform::FolderItem;

namespace {

std::string contents(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
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

TEST(Files, FolderItemsBesideTheProgram) {
    platform::setApplicationFolder("/opt/brannic");
    EXPECT_EQ(platform::GetFolderItem("DMXform.htm").path(), "/opt/brannic/DMXform.htm");
    EXPECT_EQ(platform::GetFolderItem("/shows/a.shw").path(), "/shows/a.shw");
    platform::setApplicationFolder({});
}
