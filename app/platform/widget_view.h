#pragma once

namespace platform {
// Draws windows with Qt widgets from the moment they are shown on a display.
void installWidgetViewHost();
// Drops every widget while the application still exists; windows live on without views.
void uninstallWidgetViewHost();
}  // namespace platform
