#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <sstream>

#include "platform/events.h"
#include "platform/files.h"
#include "settings/config.h"
#include "shell/menubar.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

platform::MenuItem& startMinimizedItem() {
    return *MenuBar1().Child("ConfigMenu")->Child("ConfigStartMinimized");
}

std::string contentsOf(const fs::path& file) {
    std::ifstream stream(file, std::ios::binary);
    std::stringstream text;
    text << stream.rdbuf();
    return text.str();
}

void writeFile(const fs::path& file, const std::string& text) {
    std::ofstream(file, std::ios::binary) << text;
}

class ConfigFile : public testing::Test {
  protected:
    void SetUp() override {
        platform::setPreferencesFolder(folder.path());
        platform::clearMessageLog();
        setAll({"default.shw", 0, 80, false, false, false, "", ""});
        startMinimizedItem().setChecked(false);
    }
    void TearDown() override { platform::setPreferencesFolder({}); }

    struct Values {
        std::string showFile;
        int32_t portNumber, webPort;
        bool wan, login, minimized;
        std::string username, password;
    };
    static void setAll(const Values& v) {
        Module1::currentShowFile = v.showFile;
        Module1::currentPortNumber = v.portNumber;
        Module1::webServerPort = v.webPort;
        Module1::enableWAN = v.wan;
        Module1::requireLogin = v.login;
        Module1::startMinimized = v.minimized;
        Module1::username = v.username;
        Module1::password = v.password;
    }
    static std::string lastMessage() {
        return platform::messageLog().empty() ? "" : platform::messageLog().back();
    }
    fs::path configPath() const { return folder.path() / "Tolvex.config"; }

    testsupport::TempDir folder;
};

TEST_F(ConfigFile, MissingFileOnlyMarksThePortAsUnchosen) {
    setAll({"mine.shw", 3, 8080, true, false, true, "u", "p"});
    startMinimizedItem().setChecked(true);
    Module1::readConfig();
    EXPECT_EQ(Module1::currentPortNumber, -1);
    EXPECT_EQ(Module1::currentShowFile, "mine.shw");
    EXPECT_EQ(Module1::webServerPort, 8080);
    EXPECT_TRUE(Module1::enableWAN);
    EXPECT_EQ(Module1::password, "p");
    EXPECT_TRUE(startMinimizedItem().checked());
    EXPECT_TRUE(platform::messageLog().empty());
}

TEST_F(ConfigFile, WritesEightLinesOnlyItsOwnerCanRead) {
    writeFile(configPath(), "an older and much longer file\n\n\n\n\n\n\n\n\n\n\n");
    Module1::writeConfig();
    EXPECT_EQ(lastMessage(), "saved Config");
    EXPECT_EQ(
        contentsOf(configPath()),
        "default.shw\n0\n80\nenableWAN=false\nrequireLogin=false\nstartMinimized=false\n\n\n");
    struct stat info {};
    ASSERT_EQ(::stat(configPath().c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 1);
}

TEST_F(ConfigFile, EverySettingSurvivesWritingAndReading) {
    const Values cases[] = {
        {"my show.shw", -1, 65000, true, true, true, "", ""},
        {"default.shw", 2, 80, false, true, false, "light op=1", " p@ss:w=rd;&\"' "},
        {"", 0, -5, false, false, false, "enableWAN=true", " "},
    };
    for (const Values& values : cases) {
        setAll(values);
        Module1::writeConfig();
        setAll({"other", 9, 9, !values.wan, !values.login, !values.minimized, "x", "y"});
        Module1::readConfig();
        EXPECT_EQ(Module1::currentShowFile, values.showFile);
        EXPECT_EQ(Module1::currentPortNumber, values.portNumber);
        EXPECT_EQ(Module1::webServerPort, values.webPort);
        EXPECT_EQ(Module1::enableWAN, values.wan);
        EXPECT_EQ(Module1::requireLogin, values.login);
        EXPECT_EQ(Module1::startMinimized, values.minimized);
        EXPECT_EQ(startMinimizedItem().checked(), values.minimized);
        EXPECT_EQ(Module1::username, values.username);
        EXPECT_EQ(Module1::password, values.password);
    }
}

TEST_F(ConfigFile, ShortFileFromElsewhereReadsMissingLinesAsEmpty) {
    setAll({"x", 1, 1, true, true, true, "u", "p"});
    startMinimizedItem().setChecked(true);
    writeFile(configPath(), "show.shw\r\n4\r\n8080abc\r\nenableWAN=true");
    Module1::readConfig();
    EXPECT_EQ(Module1::currentShowFile, "show.shw");
    EXPECT_EQ(Module1::currentPortNumber, 4);
    EXPECT_EQ(Module1::webServerPort, 8080);
    EXPECT_TRUE(Module1::enableWAN);
    EXPECT_FALSE(Module1::requireLogin);
    EXPECT_FALSE(Module1::startMinimized);
    EXPECT_FALSE(startMinimizedItem().checked());
    EXPECT_EQ(Module1::username, "");
    EXPECT_EQ(Module1::password, "");
}

TEST_F(ConfigFile, PreferencesFolderIsCreatedWhenMissing) {
    fs::path nested = folder.path() / "new" / "prefs";
    platform::setPreferencesFolder(nested);
    Module1::writeConfig();
    EXPECT_EQ(lastMessage(), "saved Config");
    EXPECT_TRUE(fs::exists(nested / "Tolvex.config"));
}

TEST_F(ConfigFile, FailureToWriteIsReportedAndKeepsWhatWasThere) {
    // A folder in the file's place: nothing can be renamed over it.
    fs::create_directory(configPath());
    Module1::writeConfig();
    EXPECT_NE(lastMessage(), "saved Config");
    EXPECT_NE(lastMessage().find("Tolvex.config"), std::string::npos) << lastMessage();
    EXPECT_TRUE(fs::is_directory(configPath()));

    // A preferences folder below a plain file cannot even be created.
    writeFile(folder.path() / "plain", "x");
    platform::setPreferencesFolder(folder.path() / "plain" / "prefs");
    platform::clearMessageLog();
    Module1::writeConfig();
    EXPECT_NE(lastMessage(), "saved Config");
    EXPECT_FALSE(lastMessage().empty());
}

TEST_F(ConfigFile, FileThatCannotBeOpenedCountsAsMissing) {
    fs::create_directory(configPath());
    Module1::currentShowFile = "kept.shw";
    Module1::readConfig();
    EXPECT_EQ(Module1::currentPortNumber, -1);
    EXPECT_EQ(Module1::currentShowFile, "kept.shw");
}

}  // namespace
