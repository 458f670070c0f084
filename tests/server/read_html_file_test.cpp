#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/files.h"
#include "platform/window.h"
#include "server/pages.h"
#include "shell/aux_windows.h"
#include "support/temp_dir.h"

namespace {

void writeFile(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

class LoadFormPage : public ::testing::Test {
  protected:
    testsupport::TempDir folder;
    platform::FolderItem file{folder.path() / "DMXform.htm"};
};

TEST_F(LoadFormPage, MissingFileGivesTheBuiltInPage) {
    server::LoadedFormPage loaded = server::loadFormPage(file, "DMXform.htm");
    EXPECT_EQ(loaded.content, Module1::formPage());
    EXPECT_EQ(loaded.title, "HTML page file: DMXform.htm - bad file, used default form");
}

TEST_F(LoadFormPage, FileIsTakenByteForByteUpToItsBodyEnd) {
    writeFile(file.path(), "<html>\r\n<b>Stage left</b>\n\xC3\xA9</BODY>after\r\n</html>");
    server::LoadedFormPage loaded = server::loadFormPage(file, "DMXform.htm");
    EXPECT_EQ(loaded.content, "<html>\r\n<b>Stage left</b>\n\xC3\xA9");
    EXPECT_EQ(loaded.title, "HTML page file: DMXform.htm");
}

TEST_F(LoadFormPage, EmptyFileGivesAnEmptyPage) {
    writeFile(file.path(), "");
    EXPECT_EQ(server::loadFormPage(file, "x").content, "");
}

TEST_F(LoadFormPage, UnreadableFileGivesTheBuiltInPage) {
    std::filesystem::create_directory(file.path());
    server::LoadedFormPage loaded = server::loadFormPage(file, "DMXform.htm");
    EXPECT_EQ(loaded.content, Module1::formPage());
    EXPECT_EQ(loaded.title, "HTML page file: DMXform.htm - bad file, used default form");
}

class ReadHTMLFile : public ::testing::Test {
  protected:
    void SetUp() override {
        previous = platform::ApplicationFolder();
        platform::setApplicationFolder(folder.path());
        platform::Implicit<winPageContent>::instance().Show();
    }
    void TearDown() override { platform::setApplicationFolder(previous); }

    testsupport::TempDir folder;
    std::filesystem::path previous;
    winPageContent& view() { return platform::Implicit<winPageContent>::instance(); }
};

TEST_F(ReadHTMLFile, FileBesideTheProgramBecomesThePage) {
    std::ofstream(folder.path() / "DMXform.htm", std::ios::binary)
        << "<html><body><form action='dmx'><input name='cmd'></form>\r\n</body>\r\n</html>\r\n";
    Module1::readHTMLfile("DMXform.htm");
    EXPECT_EQ(Module1::pageContent, "<html><body><form action='dmx'><input name='cmd'></form>\r\n");
    EXPECT_EQ(view().title(), "HTML page file: DMXform.htm");
    EXPECT_FALSE(view().visible());
}

TEST_F(ReadHTMLFile, OnlyThatFileIsRead) {
    std::ofstream(folder.path() / "other.htm") << "<p>other</p>";
    Module1::readHTMLfile("other.htm");
    EXPECT_EQ(Module1::pageContent, Module1::formPage());
    EXPECT_EQ(view().title(), "HTML page file: other.htm - bad file, used default form");
    EXPECT_FALSE(view().visible());
}

}  // namespace
