#pragma once
#include "platform/menus.h"

// The menu bar shared by the application and the main window, built on first use.
platform::MenuItem& MenuBar1();
