#include "platform/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <system_error>

#include "platform/platform_state.h"

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

namespace {

std::string failure(const char* what, const fs::path& path, int error) {
    return std::string(what) + " " + path.string() + ": " + std::strerror(error);
}

bool writeAll(int fd, std::string_view text) {
    while (!text.empty()) {
        ssize_t written = ::write(fd, text.data(), text.size());
        if (written < 0 && errno != EINTR) return false;
        if (written > 0) text.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

// The file's text, or a folder's list of names, on disk, so a rename survives a power cut.
int syncPath(const fs::path& path, int flags) {
    int fd = ::open(path.empty() ? "." : path.c_str(), O_RDONLY | O_CLOEXEC | flags);
    if (fd < 0) return errno;
    int error = ::fsync(fd) == 0 ? 0 : errno;
    ::close(fd);
    return error;
}

// The file at the end of the path's symbolic links, where a new text replaces the old and the
// links stay; where it would be when the last link dangles.
fs::path finalTarget(const fs::path& path) {
    constexpr int mostLinks = 40;  // the kernel's own limit on a path's links
    fs::path target = path;
    std::error_code error;
    for (int links = 0; links < mostLinks && fs::is_symlink(target, error); ++links) {
        fs::path next = fs::read_symlink(target, error);
        if (error) break;
        target = next.is_absolute() ? next : target.parent_path() / next;
    }
    return target;
}

// The new file takes the old one's mode (unless it is to be its owner's alone), owner and group,
// as far as this user may give them: a save leaves them as they were set.
void keepOwnership(int fd, const fs::path& old, bool ownerOnly) {
    struct stat status {};
    if (::stat(old.c_str(), &status) != 0) return;
    if (!ownerOnly) ::fchmod(fd, status.st_mode & 07777);
    if (::fchown(fd, status.st_uid, status.st_gid) == 0) return;
    [[maybe_unused]] int groupKept = ::fchown(fd, uid_t(-1), status.st_gid);
}

}  // namespace

TextOutputStream::~TextOutputStream() {
    if (fd_ >= 0) {
        ::close(fd_);
        ::unlink(temporary_.c_str());
    }
}

void TextOutputStream::WriteLine(std::string_view line) {
    text_.append(line);
    text_.push_back('\n');
}

std::string TextOutputStream::writeAndSync() {
    bool written = writeAll(fd_, text_) && ::fsync(fd_) == 0;
    int error = errno;
    if (::close(fd_) != 0 && written) {
        written = false;
        error = errno;
    }
    fd_ = -1;
    return written ? std::string() : failure("could not write", target_, error);
}

std::string TextOutputStream::Close() {
    if (fd_ < 0) return {};
    if (std::string problem = writeAndSync(); !problem.empty()) {
        ::unlink(temporary_.c_str());
        return problem;
    }
    if (::rename(temporary_.c_str(), target_.c_str()) != 0) {
        int error = errno;
        ::unlink(temporary_.c_str());
        return failure("could not replace", target_, error);
    }
    int error = syncPath(target_.parent_path(), O_DIRECTORY);
    return error ? failure("could not write", target_.parent_path(), error) : std::string();
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
    // Beside the file a link names, so the rename replaces that file and not the link.
    fs::path target = finalTarget(path_);
    fs::path temporary = target;
    temporary += ".new";
    // A file left by an earlier run may carry other rights: the new one is made afresh.
    ::unlink(temporary.c_str());
    // ownerOnly creates it with owner-only rights from the start, so the text is never readable
    // by others.
    int fd = ::open(temporary.c_str(), O_CREAT | O_WRONLY | O_TRUNC | O_CLOEXEC,
                    ownerOnly ? 0600 : 0666);
    if (fd < 0) {
        error = failure("could not create", path_, errno);
        return nullptr;
    }
    keepOwnership(fd, target, ownerOnly);
    return std::make_unique<TextOutputStream>(std::move(target), std::move(temporary), fd);
}

std::string FolderItem::KeepAlsoAs(const FolderItem& other) const {
    // A link's file is kept, not the link, which would follow the file's next text.
    if (::linkat(AT_FDCWD, path_.c_str(), AT_FDCWD, other.path_.c_str(), AT_SYMLINK_FOLLOW) == 0)
        return {};
    if (errno == EEXIST) return failure("could not keep", other.path_, EEXIST);
    std::error_code error;
    fs::copy_file(path_, other.path_, fs::copy_options::none, error);
    int problem = error ? error.value() : syncPath(other.path_, 0);
    if (!problem) problem = syncPath(other.path_.parent_path(), O_DIRECTORY);
    return problem ? failure("could not keep", other.path_, problem) : std::string();
}

FolderItem PreferencesFolder() {
    if (!state.preferencesFolder.empty()) return FolderItem(state.preferencesFolder);
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg) return FolderItem(xdg);
    const char* home = std::getenv("HOME");
    return FolderItem(fs::path(home && *home ? home : ".") / ".config");
}

void setPreferencesFolder(fs::path folder) {
    state.preferencesFolder = std::move(folder);
}

fs::path ExecutableFolder() {
    std::error_code error;
    fs::path exe = fs::read_symlink("/proc/self/exe", error);
    return error ? fs::current_path() : exe.parent_path();
}

fs::path ApplicationFolder() {
    return state.applicationFolder.empty() ? ExecutableFolder() : state.applicationFolder;
}

void setApplicationFolder(fs::path folder) {
    state.applicationFolder = std::move(folder);
}

FolderItem GetFolderItem(const std::string& name) {
    fs::path path(name);
    return FolderItem(path.is_absolute() ? path : ApplicationFolder() / path);
}

}  // namespace platform
