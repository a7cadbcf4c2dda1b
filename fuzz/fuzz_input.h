// Reads the values of a fuzz target's input from its front, each as its bytes in memory order
// (little-endian), so that the seed files are plain records. Past the end every byte reads as
// zero: any input, however short, is a complete one.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

struct FuzzInput {
    const uint8_t* data;
    size_t size;
};

template <typename T> T Take(FuzzInput& input) {
    T value{};
    const size_t taken = std::min(sizeof(T), input.size);
    if (taken > 0) {
        std::memcpy(&value, input.data, taken);
    }
    input.data += taken;
    input.size -= taken;
    return value;
}

// A value from low to high, both included (high - low < 2^32).
inline int64_t TakeInRange(FuzzInput& input, int64_t low, int64_t high) {
    return low +
           static_cast<int64_t>(Take<uint32_t>(input) % static_cast<uint64_t>(high - low + 1));
}

// Up to count bytes; fewer at the end of the input.
inline std::vector<uint8_t> TakeBytes(FuzzInput& input, size_t count) {
    const size_t taken = std::min(count, input.size);
    std::vector<uint8_t> bytes(input.data, input.data + taken);
    input.data += taken;
    input.size -= taken;
    return bytes;
}
