#pragma once
// Runs and counts of bytes of one class, sixteen bytes at a time. A class is a struct with
// lanes(Vector) giving 0xFF in each lane whose byte belongs to it, and byte(uint8_t) for single
// bytes; both must agree.

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace quilvane {

using Vector = uint8_t __attribute__((vector_size(16)));
inline constexpr size_t vectorSize = sizeof(Vector);

inline Vector loadVector(const uint8_t* p) {
    Vector v;
    std::memcpy(&v, p, vectorSize);
    return v;
}

// Lanes as 0xFF or 0; comparisons yield signed lanes.
template <class Lanes>
Vector asMask(Lanes lanes) {
    return reinterpret_cast<Vector>(lanes);
}

// How many lanes from the first one on are set.
inline size_t leadingSetLanes(Vector mask) {
    uint64_t halves[2];
    std::memcpy(halves, &mask, sizeof halves);
    if (~halves[0]) return static_cast<size_t>(__builtin_ctzll(~halves[0])) / 8;
    if (~halves[1]) return 8 + static_cast<size_t>(__builtin_ctzll(~halves[1])) / 8;
    return vectorSize;
}

template <class Class>
size_t runLength(const uint8_t* p, size_t available) {
    size_t run = 0;
    while (available - run >= vectorSize) {
        const size_t lanes = leadingSetLanes(Class::lanes(loadVector(p + run)));
        run += lanes;
        if (lanes < vectorSize) return run;
    }
    if (available >= vectorSize) {
        // The last sixteen bytes, overlapping some already known to belong: a byte-by-byte tail
        // ends in a mispredicted exit.
        const size_t start = available - vectorSize;
        constexpr Vector laneIndex = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};
        const Vector known = asMask(laneIndex < static_cast<uint8_t>(run - start));
        return start + leadingSetLanes(known | Class::lanes(loadVector(p + start)));
    }
    while (run < available && Class::byte(p[run])) ++run;
    return run;
}

template <class Class>
size_t countInClass(const uint8_t* p, size_t length) {
    size_t count = 0;
    size_t i = 0;
    // A member lane is 0xFF, minus one, so subtracting counts it; 255 rounds can't wrap a lane.
    while (length - i >= vectorSize) {
        Vector lanes{};
        for (int round = 0; round < 255 && length - i >= vectorSize; ++round, i += vectorSize) {
            lanes -= Class::lanes(loadVector(p + i));
        }
        for (size_t lane = 0; lane < vectorSize; ++lane) count += lanes[lane];
    }
    for (; i < length; ++i) count += Class::byte(p[i]);
    return count;
}

}  // namespace quilvane
