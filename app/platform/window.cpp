#include "platform/window.h"

#include <cstdio>
#include <cstdlib>

namespace platform {

namespace {
// Which host draws windows is the application's, set by it for its life: a link, not state.
WindowViewHost* viewHost = nullptr;
}  // namespace

void setWindowViewHost(WindowViewHost* host) {
    viewHost = host;
}

WindowViewHost* windowViewHost() {
    return viewHost;
}

Window::Window(std::string title, int width, int height, bool visibleOnOpen)
    : title_(std::move(title)), width_(width), height_(height), visibleOnOpen_(visibleOnOpen) {}

Window::~Window() {
    if (viewHost) viewHost->windowDestroyed(*this);
}

void Window::changed() {
    if (viewHost) viewHost->windowChanged(*this);
}

void Window::setTitle(std::string title) {
    title_ = std::move(title);
    changed();
}

void Window::setTop(int top) {
    top_ = top;
    changed();
}

void Window::setLeft(int left) {
    left_ = left;
    changed();
}

void Window::Show() {
    visible_ = true;
    changed();
}

void Window::Hide() {
    visible_ = false;
    changed();
}

void Window::Minimize() {
    minimized_ = true;
    changed();
}

bool Window::Close() {
    if (CancelClose()) return false;
    visible_ = false;
    changed();
    return true;
}

void Window::place(Control& control, int row, int column, int rowSpan, int columnSpan) {
    layout_.push_back({&control, row, column, rowSpan, columnSpan});
}

void Window::addShortcut(std::string key, std::function<void()> action) {
    shortcuts_.push_back({std::move(key), std::move(action)});
}

void failNotAdopted(const char* windowClass) {
    std::fprintf(stderr, "window %s used before the program adopted one\n", windowClass);
    std::abort();
}

}  // namespace platform
