#pragma once

#include <QString>
#include <optional>
#include <span>

// One zone of the camera's time-zone list.
struct TimeZone {
    const char* label;
    int code;          // as vk_gps_timezone stores it: signed hours * 100 + minutes
    int offsetMinutes; // east of GMT
};

// The camera's 40 zones, from -12:00 to +13:00.
std::span<const TimeZone> TimeZones();

// The index of the zone with that code or offset; 0 (-12:00) when none has it.
int ZoneIndexOfCode(int code);
int ZoneIndexOfOffset(int offsetMinutes);

// The PC's standard offset from GMT in minutes, daylight saving time left out; nullopt when the
// system's zone cannot be told.
std::optional<int> SystemStandardOffsetMinutes();
