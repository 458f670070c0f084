#pragma once
// Packets for the USB DMX interface: 7E, label, payload length (low byte first), payload, E7.

#include <cstdint>
#include <string>
#include <string_view>

#include "shell/module1.h"

namespace dmx {

inline constexpr uint8_t sendDmxLabel = 6;
inline constexpr uint8_t getParametersLabel = 3;
// 7E, label, two length bytes, start code, 512 levels, E7.
inline constexpr size_t frameSize = 5 + Module1::lastChannel + 1;

std::string packet(uint8_t label, std::string_view payload);

// The whole universe: start code 0, then channels 1 to 512 one byte each.
std::string dmxFrame(const Module1::LevelStore& levels);

// A DMX frame of the start code alone.
std::string startCodeOnlyFrame();

// Asks for the interface's parameters, with no user configuration bytes.
std::string parameterRequest();

}  // namespace dmx
