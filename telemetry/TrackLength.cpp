#include "telemetry/TrackLength.h"

#include "telemetry/TelemetryExport.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double EarthRadiusKm = 6371.0088;
constexpr double RadiansPerDegree = M_PI / 180.0;

} // namespace

std::optional<TrackPoint> FixPoint(const GpsFix& fix) {
    if (fix.latitude == 0.0 && fix.longitude == 0.0) // a sentence cut short
        return std::nullopt;
    const TrackPoint point{DecimalDegrees(fix.latitude), DecimalDegrees(fix.longitude)};
    if (std::abs(point.latitude) > 90.0 || std::abs(point.longitude) > 180.0)
        return std::nullopt;
    return point;
}

double DistanceKm(const TrackPoint& from, const TrackPoint& to) {
    const double dLatitude = (to.latitude - from.latitude) * RadiansPerDegree;
    const double dLongitude = (to.longitude - from.longitude) * RadiansPerDegree;
    const double a =
        std::pow(std::sin(dLatitude / 2), 2) + std::cos(from.latitude * RadiansPerDegree) *
                                                   std::cos(to.latitude * RadiansPerDegree) *
                                                   std::pow(std::sin(dLongitude / 2), 2);
    return 2 * EarthRadiusKm * std::asin(std::min(1.0, std::sqrt(a)));
}

double TrackLengthKm(const QList<GpsFix>& fixes) {
    double length = 0.0;
    std::optional<TrackPoint> last;
    for (const GpsFix& fix : fixes) {
        const std::optional<TrackPoint> point = FixPoint(fix);
        if (!point)
            continue;
        if (last)
            length += DistanceKm(*last, *point);
        last = point;
    }
    return length;
}
