#pragma once
// The show file on disk: read at start, written a moment after the show changes and at quit, each
// time whole (a new file renamed over the old one), so a power cut leaves the old show or the new.
// The event thread only takes the show as it is; its text is made and written on a thread of its
// own, so a long show never holds up a frame.

#include <functional>
#include <optional>
#include <string>

#include "platform/background_job.h"
#include "platform/files.h"
#include "platform/timer.h"
#include "show/saved_show.h"

namespace show {

class ShowStore {
  public:
    using StatusLine = std::function<void(const std::string&)>;
    using ShowProvider = std::function<SavedShow()>;
    // Told why the show is not kept in the file (the last write failed, or the file may not be
    // written over), or empty once it is kept again.
    using UnsavedChange = std::function<void(const std::string&)>;

    // The longest a change waits before it is written; changes within it are written together.
    static constexpr int writeDelayMs = 250;
    // A failed write is tried again after this.
    static constexpr int retryDelayMs = 1000;

    ShowStore(platform::FolderItem file, StatusLine statusLine, UnsavedChange unsavedChange = {});
    // Waits for a write under way.
    ~ShowStore();
    ShowStore(const ShowStore&) = delete;
    ShowStore& operator=(const ShowStore&) = delete;

    // The show in the file; none when there is no file or nothing in it is good. A damaged file
    // is kept under a new name beside it before the store writes over it, and the status line
    // says what of it was loaded. A file that cannot be written is told at once. Its fixtures take
    // their definitions from find; the status line names those this machine has none of.
    std::optional<SavedShow> load(const fixtures::DefinitionFinder& find = noDefinitions);
    // The show changed; the provider gives it as it is when it is written.
    void changed(ShowProvider provider);
    // Waits for a write under way and writes a change that waits, now.
    void flush();

  private:
    std::optional<SavedShow> read(const fixtures::DefinitionFinder& find);
    void keepDamaged(const ShowFileReading& reading);
    // Hands the show to the writer, or leaves it for the writer's end when a write is under way.
    void write();
    // On the writer's thread: the show into the file; the reason of a failure.
    std::string writeFile(const SavedShow& show);
    // Back on the event thread after a write.
    void written();
    void setUnsaved(std::string why);

    platform::FolderItem file_;
    StatusLine statusLine_;
    UnsavedChange unsavedChange_;
    platform::Timer timer_;
    ShowProvider provider_;
    // A change not yet handed to the writer.
    bool waiting_ = false;
    // The delay ran out while a write was under way: the change goes as soon as it ends.
    bool due_ = false;
    // A damaged file that could not be kept aside is never written over.
    bool writable_ = true;
    std::string unsaved_;
    // The writer's own while a write is under way. What the file holds as far as this run knows:
    // a change that comes back to it (a refused line, show control switched) is not written
    // again.
    std::string written_;
    std::string problem_;
    // Last, so it is gone (its write finished) before what the write uses.
    platform::BackgroundJob writer_;
};

}  // namespace show
