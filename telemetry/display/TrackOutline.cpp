#include "telemetry/display/TrackOutline.h"

#include "telemetry/TelemetryExport.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace TrackOutline {

QList<QPointF> Fit(const QList<GpsFix>& fixes, const QRectF& box) {
    QList<QPointF> degrees;
    degrees.reserve(fixes.size());
    for (const GpsFix& fix : fixes)
        degrees.append({DecimalDegrees(fix.longitude), DecimalDegrees(fix.latitude)});
    if (degrees.isEmpty())
        return {};
    auto [west, east] = std::minmax_element(degrees.cbegin(), degrees.cend(),
                                            [](QPointF a, QPointF b) { return a.x() < b.x(); });
    auto [south, north] = std::minmax_element(degrees.cbegin(), degrees.cend(),
                                              [](QPointF a, QPointF b) { return a.y() < b.y(); });
    const QPointF centre((west->x() + east->x()) / 2, (south->y() + north->y()) / 2);
    const double shrink = std::cos(centre.y() * std::numbers::pi / 180.0);
    const double width = (east->x() - west->x()) * shrink;
    const double height = north->y() - south->y();
    const double scale = std::min(width > 0 ? box.width() / width : INFINITY,
                                  height > 0 ? box.height() / height : INFINITY);
    QList<QPointF> points;
    points.reserve(degrees.size());
    for (const QPointF& point : degrees) {
        if (!std::isfinite(scale)) {
            points.append(box.center());
            continue;
        }
        points.append(box.center() + QPointF((point.x() - centre.x()) * shrink * scale,
                                             (centre.y() - point.y()) * scale));
    }
    return points;
}

} // namespace TrackOutline
