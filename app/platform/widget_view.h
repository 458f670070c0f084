#pragma once

#include <memory>
#include <string>

namespace platform {

class Window;
class WindowViewHost;
// What draws windows with Qt widgets from the moment they are shown on a display; the desktop
// application owns it and installs it (setWindowViewHost).
std::unique_ptr<WindowViewHost> makeWidgetViewHost();
// Draws a shown window into a PNG file (the window's view is made now if it is still pending).
bool saveWindowImage(Window& window, const std::string& path);
}  // namespace platform
