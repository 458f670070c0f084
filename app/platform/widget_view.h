#pragma once

#include <string>

namespace platform {

class Window;
// Draws windows with Qt widgets from the moment they are shown on a display.
void installWidgetViewHost();
// Drops every widget while the application still exists; windows live on without views.
void uninstallWidgetViewHost();
// Draws a shown window into a PNG file (the window's view is made now if it is still pending).
bool saveWindowImage(Window& window, const std::string& path);
}  // namespace platform
