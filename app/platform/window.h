#pragma once
// Windows hold their controls' state and their own geometry; no widget exists until a window is
// really shown on a display (see the view host).

#include <functional>
#include <memory>
#include <string>
#include <typeinfo>
#include <vector>

#include "platform/controls.h"

namespace platform {

class Window;
class MenuItem;

// What draws windows: installed by the desktop application, absent when headless.
class WindowViewHost {
  public:
    virtual ~WindowViewHost() = default;
    virtual void windowChanged(Window& window) = 0;
    virtual void windowDestroyed(Window& window) = 0;
};
void setWindowViewHost(WindowViewHost* host);
WindowViewHost* windowViewHost();

class Window {
  public:
    struct Placement {
        Control* control;
        int row;
        int column;
        int rowSpan;
        int columnSpan;
    };
    // A key that acts while the window has the focus, whichever of its controls holds it.
    struct Shortcut {
        std::string key;  // as a menu item names its shortcut: "Space", "Cmd+G"
        std::function<void()> action;
    };

    Window(std::string title, int width, int height, bool visibleOnOpen = true);
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    // The open handler: runs once, when the window is created through its implicit instance.
    virtual void Open() {}
    // The close request: true cancels the close.
    virtual bool CancelClose() { return false; }
    // The user clicked the window's close box: other windows hide, keeping their state.
    virtual void closeBoxClicked() { Hide(); }
    // The menu bar drawn in this window, if any.
    virtual const MenuItem* menuBar() const { return nullptr; }

    const std::string& title() const { return title_; }
    void setTitle(std::string title);
    int top() const { return top_; }
    int left() const { return left_; }
    int width() const { return width_; }
    int height() const { return height_; }
    void setTop(int top);
    void setLeft(int left);

    void Show();
    void Hide();
    void Minimize();
    // Asks the close handler; the window goes away unless it cancels. True when closed.
    bool Close();
    bool visible() const { return visible_; }
    bool minimized() const { return minimized_; }
    bool visibleOnOpen() const { return visibleOnOpen_; }
    // The user minimized or restored the window in its view.
    void viewMinimized(bool minimized) { minimized_ = minimized; }

    // Grid of the window's controls, for the view that draws them.
    const std::vector<Placement>& layout() const { return layout_; }
    const std::vector<Shortcut>& shortcuts() const { return shortcuts_; }

  protected:
    void place(Control& control, int row, int column, int rowSpan = 1, int columnSpan = 1);
    void addShortcut(std::string key, std::function<void()> action);

  private:
    void changed();

    std::string title_;
    int top_ = 60;
    int left_ = 60;
    int width_;
    int height_;
    bool visible_ = false;
    bool minimized_ = false;
    bool visibleOnOpen_;
    std::vector<Placement> layout_;
    std::vector<Shortcut> shortcuts_;
};

// Windows that must be adopted before use (the main window): asking for one that nobody adopted is
// a fault in the caller, never a reason to build it and run its open handler.
template <class W>
inline constexpr bool adoptedOnly = false;

// Stops the program with a message naming the window that was asked for but never adopted.
[[noreturn]] void failNotAdopted(const char* windowClass);

// One implicit instance per window class, created (and opened) on first use.
template <class W>
class Implicit {
  public:
    static W& instance() {
        if constexpr (adoptedOnly<W>) {
            if (!window_) failNotAdopted(typeid(W).name());
        }
        if (!window_) {
            window_ = std::make_unique<W>();
            if (created) created(*window_);
            window_->Open();
            if (window_ && window_->visibleOnOpen()) window_->Show();
        }
        return *window_;
    }
    static bool exists() { return window_ != nullptr; }
    // The instance if there is one, without creating it.
    static W* find() { return window_.get(); }
    // Installs a window made elsewhere as the instance, without running its open handler (tests,
    // and the launch, which opens the main window itself).
    static W& adopt(std::unique_ptr<W> window) {
        window_ = std::move(window);
        return *window_;
    }
    // Told of each new instance before its open handler runs (views that follow a window's labels).
    static inline std::function<void(W&)> created;
    // Drops the instance without asking its close handler.
    static void reset() { window_.reset(); }
    // Closes the window (if its handler agrees); asking for it again creates a new one.
    static void close() {
        if (window_ && window_->Close()) window_.reset();
    }

  private:
    static inline std::unique_ptr<W> window_;
};

}  // namespace platform
