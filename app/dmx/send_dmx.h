#pragma once
// Sends the whole universe to the DMX interface after every command line.

namespace Module1 {

// Builds the DMX frame from the level store and writes it to the main window's serial port before
// returning. A frame the interface cannot take yet is replaced by the next one, so the interface
// always gets the latest levels and never a backlog.
void sendDMX();

}  // namespace Module1
