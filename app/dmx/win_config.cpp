#include "dmx/win_config.h"

WinConfig::WinConfig() : platform::Window("Configure DMX Pro", 460, 260, false) {
    place(StaticText1, 0, 0, 1, 2);
    place(StaticText2, 1, 0);
    place(StaticText3, 1, 1);
    place(StaticText4, 2, 0, 1, 2);
    place(PopupMenu1, 3, 0);
    place(StaticText5, 3, 1);
    place(PushButton1, 4, 0);
    place(PushButton2, 4, 1);
    place(StaticText6, 5, 0, 1, 2);
}

void WinConfig::Open() {}
