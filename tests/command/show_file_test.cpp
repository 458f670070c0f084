#include <gtest/gtest.h>

#include <fstream>

#include "command/level_store.h"
#include "command/show_file_format.h"
#include "support/temp_dir.h"

namespace {

using Fields = std::vector<std::string>;

TEST(ShowLineFields, DropsTheDelimitersAndSplitsAtCommas) {
    EXPECT_EQ(command::showLineFields("[1,255,cue one]"), (Fields{"1", "255", "cue one"}));
    EXPECT_EQ(command::showLineFields("\"a,,b\""), (Fields{"a", "", "b"}));
    EXPECT_EQ(command::showLineFields("|x|"), (Fields{"x"}));
    EXPECT_EQ(command::showLineFields("||"), Fields{});
    EXPECT_EQ(command::showLineFields("|"), Fields{});
    EXPECT_EQ(command::showLineFields(""), Fields{});
}

class ShowFileTest : public ::testing::Test {
  protected:
    void TearDown() override {
        Module1::showFields.clear();
    }
    testsupport::TempDir folder;
};

TEST_F(ShowFileTest, ReadsEveryLineToTheEnd) {
    const auto path = folder.path() / "default.shw";
    std::ofstream(path) << "[1,50]\r\n[2,75,wash]\n[3]";
    Module1::loadShowFile(platform::FolderItem(path));
    EXPECT_EQ(Module1::showFields, (std::vector<Fields>{{"1", "50"}, {"2", "75", "wash"}, {"3"}}));
    // Closed after reading: the file can be replaced at once.
    std::filesystem::remove(path);
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(ShowFileTest, AMissingFileOrAFolderIsSkippedSilently) {
    Module1::showFields = {{"kept"}};
    Module1::loadShowFile(platform::FolderItem(folder.path() / "missing.shw"));
    Module1::loadShowFile(platform::FolderItem(folder.path()));
    Module1::loadShowFile(platform::FolderItem());
    EXPECT_EQ(Module1::showFields, (std::vector<Fields>{{"kept"}}));
}

}  // namespace
