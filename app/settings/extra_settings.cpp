#include "settings/extra_settings.h"

#include <filesystem>
#include <system_error>

#include "platform/files.h"

namespace Module1 {

namespace {

platform::FolderItem extraSettingsFile() {
    return platform::PreferencesFolder().Child("brannic-webserver.conf");
}

}  // namespace

void loadExtraSettings() {
    platform::FolderItem file = extraSettingsFile();
    auto stream = file.Exists() ? file.OpenAsTextFile() : nullptr;
    extraSettings =
        stream ? settings::parseExtraSettings(stream->ReadAll()) : settings::ExtraSettings{};
}

std::string saveExtraSettings() {
    platform::FolderItem file = extraSettingsFile();
    std::error_code ignored;
    std::filesystem::create_directories(file.path().parent_path(), ignored);
    std::string error;
    auto stream = file.CreateTextFile(error, /*ownerOnly=*/true);
    if (!stream) return error;
    for (const std::string& line : settings::formatExtraSettings(extraSettings))
        stream->WriteLine(line);
    return stream->Close();
}

}  // namespace Module1
