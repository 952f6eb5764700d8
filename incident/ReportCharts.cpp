#include "incident/ReportCharts.h"

#include "telemetry/TelemetryExport.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double Margin = 0.06; // of the area, kept free around a drawing

void DrawFrame(QPainter& painter, const QRectF& area) {
    painter.setPen(QPen(Qt::gray, 0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(area);
}

} // namespace

void DrawTrackMap(QPainter& painter, const QRectF& area, const QList<TimedFix>& fixes) {
    DrawFrame(painter, area);
    if (fixes.isEmpty()) {
        painter.drawText(area, Qt::AlignCenter, QStringLiteral("no GPS position in the span"));
        return;
    }
    QList<QPointF> points; // x east, y north, in metres-like units
    const double middleLatitude = DecimalDegrees(fixes.first().fix.latitude) * M_PI / 180.0;
    for (const TimedFix& timed : fixes)
        points.append({DecimalDegrees(timed.fix.longitude) * std::cos(middleLatitude),
                       DecimalDegrees(timed.fix.latitude)});
    double left = points.first().x(), right = left, bottom = points.first().y(), top = bottom;
    for (const QPointF& point : points) {
        left = std::min(left, point.x());
        right = std::max(right, point.x());
        bottom = std::min(bottom, point.y());
        top = std::max(top, point.y());
    }
    const QRectF inner = area.adjusted(area.width() * Margin, area.height() * Margin,
                                       -area.width() * Margin, -area.height() * Margin);
    const double extent = std::max({right - left, top - bottom, 1e-9});
    const double scale = std::min(inner.width(), inner.height()) / extent;
    const QPointF centre((left + right) / 2, (bottom + top) / 2);
    QPolygonF track;
    for (const QPointF& point : points)
        track.append(inner.center() +
                     QPointF((point.x() - centre.x()) * scale, -(point.y() - centre.y()) * scale));
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(200, 40, 20), area.width() / 150.0));
    painter.drawPolyline(track);
    const double dot = area.width() / 60.0;
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(20, 140, 40));
    painter.drawEllipse(track.first(), dot, dot);
    painter.setBrush(QColor(20, 40, 160));
    painter.drawEllipse(track.last(), dot, dot);
    painter.setPen(Qt::black);
    painter.drawText(area.adjusted(dot, dot, -dot, -dot), Qt::AlignTop | Qt::AlignLeft,
                     QStringLiteral("N \u2191   green: start, blue: end"));
}

void DrawCurve(QPainter& painter, const QRectF& area, const Curve& curve, qint64 spanMs) {
    DrawFrame(painter, area);
    const double titleHeight = painter.fontMetrics().height() * 1.2;
    painter.setPen(Qt::black);
    if (curve.points.isEmpty()) {
        painter.drawText(area, Qt::AlignCenter, curve.title + QStringLiteral(": no values"));
        return;
    }
    const QPointF peak = *std::max_element(
        curve.points.cbegin(), curve.points.cend(),
        [](const QPointF& a, const QPointF& b) { return std::abs(a.y()) < std::abs(b.y()); });
    painter.drawText(area.adjusted(4, 0, -4, 0), Qt::AlignTop | Qt::AlignLeft,
                     QStringLiteral("%1   peak %2 at %3 s")
                         .arg(curve.title, QString::number(peak.y(), 'f', 1),
                              QString::number(peak.x() / 1000.0, 'f', 1)));
    double low = 0, high = 0;
    for (const QPointF& point : curve.points) {
        low = std::min(low, point.y());
        high = std::max(high, point.y());
    }
    if (high - low < 1e-9)
        high = low + 1;
    const QRectF plot = area.adjusted(4, titleHeight, -4, -4);
    const auto at = [&](const QPointF& point) {
        return QPointF(plot.left() + plot.width() * point.x() / double(std::max<qint64>(spanMs, 1)),
                       plot.bottom() - plot.height() * (point.y() - low) / (high - low));
    };
    painter.setPen(QPen(Qt::lightGray, 0, Qt::DashLine));
    painter.drawLine(at({0, 0}), at({double(spanMs), 0}));
    QPolygonF line;
    for (const QPointF& point : curve.points)
        line.append(at(point));
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(curve.colour, area.height() / 150.0));
    painter.drawPolyline(line);
    painter.setPen(Qt::NoPen);
    painter.setBrush(curve.colour);
    const double dot = area.height() / 40.0;
    painter.drawEllipse(at(peak), dot, dot);
}
