#pragma once

#include "telemetry/GpsFix.h"

#include <QList>
#include <optional>

// A fix's place in decimal degrees; absent for a sentence cut short or outside the globe.
struct TrackPoint {
    double latitude = 0.0;
    double longitude = 0.0;
    bool operator==(const TrackPoint&) const = default;
};
std::optional<TrackPoint> FixPoint(const GpsFix& fix);

// The great-circle distance between two places, in kilometres.
double DistanceKm(const TrackPoint& from, const TrackPoint& to);

// The length of the track the fixes draw in file order, in kilometres.
double TrackLengthKm(const QList<GpsFix>& fixes);
