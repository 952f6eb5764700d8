#pragma once

#include <cstdint>

// One sample of the three G-sensor axes, each clamped to the graph's -120..120.
struct GSensorSample {
    static constexpr int Limit = 120;

    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t z = 0;
    std::uint32_t offset = 0; // milliseconds from the start of the recording
};
