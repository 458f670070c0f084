#pragma once
// The show file on disk: read at start, written a moment after the show changes and at quit, each
// time whole (a new file renamed over the old one), so a power cut leaves the old show or the new.

#include <functional>
#include <optional>
#include <string>

#include "platform/files.h"
#include "platform/timer.h"
#include "show/saved_show.h"

namespace show {

class ShowStore {
  public:
    using StatusLine = std::function<void(const std::string&)>;
    using ShowProvider = std::function<SavedShow()>;

    // The longest a change waits before it is written; changes within it are written together.
    static constexpr int writeDelayMs = 250;

    ShowStore(platform::FolderItem file, StatusLine statusLine);
    ~ShowStore();
    ShowStore(const ShowStore&) = delete;
    ShowStore& operator=(const ShowStore&) = delete;

    // The show in the file; none when there is no file or nothing in it is good. A damaged file
    // is kept under a new name beside it before the store writes over it, and the status line
    // says what of it was loaded.
    std::optional<SavedShow> load();
    // The show changed; the provider gives it as it is when it is written.
    void changed(ShowProvider provider);
    // Writes a change that waits, now.
    void flush();

  private:
    void keepDamaged(const ShowFileReading& reading);
    void write();

    platform::FolderItem file_;
    StatusLine statusLine_;
    platform::Timer timer_;
    ShowProvider waiting_;
    // A damaged file that could not be kept aside is never written over.
    bool writable_ = true;
    bool failing_ = false;
    // What the file holds as far as this run knows: a change that comes back to it (a refused
    // line, show control switched) is not written again.
    std::string written_;
};

}  // namespace show
