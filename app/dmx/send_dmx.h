#pragma once
// Sends the whole universe to the DMX interface after every command line.

namespace Module1 {

// Builds the DMX frame from the level store, refreshes the level view and writes the frame to the
// main window's serial port in one write.
void sendDMX();

}  // namespace Module1
