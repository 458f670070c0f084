#include "platform/files.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <system_error>

namespace platform {

namespace fs = std::filesystem;

std::string TextInputStream::ReadLine() {
    std::string line;
    for (int c = stream_.get(); c != std::char_traits<char>::eof(); c = stream_.get()) {
        if (c == '\n') break;
        if (c == '\r') {
            if (stream_.peek() == '\n') stream_.get();
            break;
        }
        line.push_back(static_cast<char>(c));
    }
    return line;
}

std::string TextInputStream::ReadAll() {
    return std::string(std::istreambuf_iterator<char>(stream_), std::istreambuf_iterator<char>());
}

bool TextInputStream::EOF_() const {
    return !stream_.good() ||
           const_cast<std::ifstream&>(stream_).peek() == std::char_traits<char>::eof();
}

TextOutputStream::~TextOutputStream() {
    if (!closed_) {
        stream_.close();
        std::error_code ignored;
        fs::remove(temporary_, ignored);
    }
}

void TextOutputStream::WriteLine(std::string_view line) {
    stream_ << line << '\n';
}

std::string TextOutputStream::Close() {
    closed_ = true;
    stream_.flush();
    bool written = stream_.good();
    stream_.close();
    std::error_code error;
    if (!written || stream_.fail()) {
        fs::remove(temporary_, error);
        return "could not write " + target_.string();
    }
    fs::rename(temporary_, target_, error);
    if (error) {
        std::error_code ignored;
        fs::remove(temporary_, ignored);
        return "could not replace " + target_.string() + ": " + error.message();
    }
    return {};
}

bool FolderItem::Exists() const {
    std::error_code error;
    return !path_.empty() && fs::exists(path_, error);
}

std::unique_ptr<TextInputStream> FolderItem::OpenAsTextFile() const {
    std::error_code error;
    if (path_.empty() || fs::is_directory(path_, error)) return nullptr;
    std::ifstream stream(path_, std::ios::binary);
    if (!stream.is_open()) return nullptr;
    return std::make_unique<TextInputStream>(std::move(stream));
}

std::unique_ptr<TextOutputStream> FolderItem::CreateTextFile(std::string& error,
                                                             bool ownerOnly) const {
    fs::path temporary = path_;
    temporary += ".new";
    std::error_code ec;
    fs::remove(temporary, ec);
    if (ownerOnly) {
        // Created with owner-only rights from the start, so the text is never readable by others.
        int fd = ::open(temporary.c_str(), O_CREAT | O_WRONLY | O_TRUNC, 0600);
        if (fd >= 0) ::close(fd);
    }
    std::ofstream stream(temporary, std::ios::binary | std::ios::trunc);
    if (!stream.is_open()) {
        error = "could not create " + path_.string() + ": " + std::strerror(errno);
        return nullptr;
    }
    return std::make_unique<TextOutputStream>(path_, std::move(temporary), std::move(stream));
}

namespace {

fs::path& preferencesOverride() {
    static fs::path folder;
    return folder;
}

fs::path& applicationOverride() {
    static fs::path folder;
    return folder;
}

}  // namespace

FolderItem PreferencesFolder() {
    if (!preferencesOverride().empty()) return FolderItem(preferencesOverride());
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg) return FolderItem(xdg);
    const char* home = std::getenv("HOME");
    return FolderItem(fs::path(home && *home ? home : ".") / ".config");
}

void setPreferencesFolder(fs::path folder) {
    preferencesOverride() = std::move(folder);
}

fs::path ApplicationFolder() {
    if (!applicationOverride().empty()) return applicationOverride();
    std::error_code error;
    fs::path exe = fs::read_symlink("/proc/self/exe", error);
    return error ? fs::current_path() : exe.parent_path();
}

void setApplicationFolder(fs::path folder) {
    applicationOverride() = std::move(folder);
}

FolderItem GetFolderItem(const std::string& name) {
    fs::path path(name);
    return FolderItem(path.is_absolute() ? path : ApplicationFolder() / path);
}

}  // namespace platform
