#pragma once
// Sends the whole universe to every DMX output after every command line.

namespace Module1 {

// Hands the level store to the main window's list of outputs (dmx/output.h), the USB interface
// first: its frame is written before this returns. A frame the interface cannot take yet is
// replaced by the next one, so the interface always gets the latest levels and never a backlog.
void sendDMX();

}  // namespace Module1
