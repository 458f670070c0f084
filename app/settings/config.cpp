#include "settings/config.h"

#include <filesystem>
#include <system_error>

#include "platform/events.h"
#include "platform/files.h"
#include "settings/config_format.h"
#include "shell/menubar.h"

namespace Module1 {

namespace {

platform::FolderItem configFile() {
    return platform::PreferencesFolder().Child("Tolvex.config");
}

settings::ConfigValues currentValues() {
    return {currentShowFile, currentPortNumber, webServerPort, enableWAN,
            requireLogin,    startMinimized,    username,      password};
}

void adopt(const settings::ConfigValues& values) {
    currentShowFile = values.currentShowFile;
    currentPortNumber = values.currentPortNumber;
    webServerPort = values.webServerPort;
    enableWAN = values.enableWAN;
    requireLogin = values.requireLogin;
    startMinimized = values.startMinimized;
    username = values.username;
    password = values.password;
}

// The reason of a failure, empty when the file now holds the values.
std::string saveConfig(const platform::FolderItem& file, const settings::ConfigValues& values) {
    // A preferences folder named on the command line may not exist yet.
    std::error_code ignored;
    std::filesystem::create_directories(file.path().parent_path(), ignored);
    std::string error;
    // The file holds the password as plain text: nobody but its owner may read it.
    auto stream = file.CreateTextFile(error, /*ownerOnly=*/true);
    if (!stream) return error;
    for (const std::string& line : settings::formatConfig(values)) stream->WriteLine(line);
    return stream->Close();
}

}  // namespace

void readConfig() {
    platform::MenuItem* startMinimizedItem =
        MenuBar1().Child("ConfigMenu")->Child("ConfigStartMinimized");
    platform::FolderItem file = configFile();
    // A file that exists but cannot be opened counts as missing.
    auto stream = file.Exists() ? file.OpenAsTextFile() : nullptr;
    if (!stream) {
        currentPortNumber = -1;
        return;
    }
    std::vector<std::string> lines;
    for (size_t i = 0; i < settings::configLineCount; ++i) lines.push_back(stream->ReadLine());
    stream->Close();
    adopt(settings::parseConfig(lines));
    startMinimizedItem->setChecked(startMinimized);
}

void writeConfig() {
    std::string failure = saveConfig(configFile(), currentValues());
    platform::MsgBox(failure.empty() ? "saved Config" : "Config not saved: " + failure);
}

}  // namespace Module1
