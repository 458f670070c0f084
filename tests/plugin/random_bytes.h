#pragma once
// Reproducible random texts for round trips.

#include <random>
#include <string>

namespace plugintest {

inline std::string randomBytes(std::mt19937& generator, size_t length) {
    std::uniform_int_distribution<int> byte(0, 255);
    std::string text(length, '\0');
    for (char& c : text) c = static_cast<char>(byte(generator));
    return text;
}

// Mostly short texts, with lengths around every boundary of a group or a line.
inline size_t randomLength(std::mt19937& generator) {
    return std::uniform_int_distribution<size_t>(0, 300)(generator);
}

}  // namespace plugintest
