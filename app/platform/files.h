#pragma once
// Folder items and text streams. Lines end in LF when written; a reader takes LF, CR LF or CR.

#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

class TextInputStream {
  public:
    explicit TextInputStream(std::ifstream stream) : stream_(std::move(stream)) {}
    // The next line without its line end; empty text past the end of the file.
    std::string ReadLine();
    // Everything from here to the end.
    std::string ReadAll();
    bool EOF_() const;
    void Close() { stream_.close(); }

  private:
    std::ifstream stream_;
};

// Writes into a new file beside the target and renames it over the target on Close, so a crash or a
// full disk never leaves a half-written file in its place. The new file and its folder reach the
// disk before Close reports success, so a power cut right after it keeps the new text.
class TextOutputStream {
  public:
    TextOutputStream(std::filesystem::path target, std::filesystem::path temporary, int fd)
        : target_(std::move(target)), temporary_(std::move(temporary)), fd_(fd) {}
    ~TextOutputStream();
    TextOutputStream(const TextOutputStream&) = delete;
    TextOutputStream& operator=(const TextOutputStream&) = delete;

    void WriteLine(std::string_view line);
    // Writes, replaces the target and returns the reason of a failure (empty on success), naming
    // the file and the cause, such as "No space left on device".
    std::string Close();

  private:
    std::string writeAndSync();

    std::filesystem::path target_;
    std::filesystem::path temporary_;
    int fd_;
    std::string text_;
};

class FolderItem {
  public:
    FolderItem() = default;
    explicit FolderItem(std::filesystem::path path) : path_(std::move(path)) {}

    const std::filesystem::path& path() const { return path_; }
    std::string Name() const { return path_.filename().string(); }
    bool Exists() const;
    FolderItem Child(const std::string& name) const { return FolderItem(path_ / name); }

    // Null when the file cannot be opened.
    std::unique_ptr<TextInputStream> OpenAsTextFile() const;
    // A new file replacing any old one on Close: where the path is a symbolic link, the file it
    // leads to, whose mode, owner and group the new one keeps where this user may set them.
    // ownerOnly makes it readable and writable by its owner alone. Null (with the reason in
    // error) when it cannot be created.
    std::unique_ptr<TextOutputStream> CreateTextFile(std::string& error,
                                                     bool ownerOnly = false) const;
    // Keeps this file (a link's file) under the other name too, which must not be taken yet: a
    // hard link where the file system has them (the text is on disk already), else a copy. The
    // reason of a
    // failure, empty on success.
    std::string KeepAlsoAs(const FolderItem& other) const;

  private:
    std::filesystem::path path_;
};

// The user's preferences folder: $XDG_CONFIG_HOME, else ~/.config, unless the program set another.
FolderItem PreferencesFolder();
void setPreferencesFolder(std::filesystem::path folder);

// A name taken beside the program (an absolute path stays as it is).
FolderItem GetFolderItem(const std::string& name);
std::filesystem::path ApplicationFolder();
// The folder the program's file is in, whatever the application folder was set to.
std::filesystem::path ExecutableFolder();
void setApplicationFolder(std::filesystem::path folder);

}  // namespace platform
