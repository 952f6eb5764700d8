#pragma once

#include <cstdint>

// One GPS fix of a .gps file, as the RMC sentence wrote it. The hour is the sentence's UTC hour
// plus 9 and is not wrapped (9-32); the time stamp reads the date and that hour as local time.
struct GpsFix {
    int year = 0; // two digits as written
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int valid = 0;          // 1 when the status was "A"
    double latitude = 0.0;  // ddmm.mmmm as a number, negative in the south
    double longitude = 0.0; // dddmm.mmmm as a number, negative in the west
    double speed = 0.0;     // km/h, at single precision
    double course = 0.0;    // degrees, at single precision
    std::int64_t timeStamp = 0;
    int offset = 0; // milliseconds from the start of the recording

    bool operator==(const GpsFix&) const = default;
};
