#include "telemetry/display/GSensorGraph.h"

#include <QPainter>
#include <algorithm>

namespace GSensorGraph {

namespace {

QPoint SamplePoint(const GSensorSample& sample, std::int32_t value, int baseline, double scale) {
    return {int(sample.offset * scale), int(baseline - value * PixelsPerUnit)};
}

void DrawCurve(QPainter& painter, const QList<GSensorSample>& samples,
               std::int32_t GSensorSample::*axis, int baseline, double scale) {
    // The curve starts at the first sample even when that one is too late to be drawn.
    QPoint current = SamplePoint(samples.first(), samples.first().*axis, baseline, scale);
    for (const GSensorSample& sample : samples) {
        if (sample.offset > LastDrawnMs)
            continue;
        const QPoint next = SamplePoint(sample, sample.*axis, baseline, scale);
        if (next != current)
            painter.drawLine(current, next);
        current = next;
    }
}

} // namespace

qint64 ScaleDurationMs(qint64 durationMs) {
    return durationMs / 1000 * 1000;
}

QImage Draw(const QImage& background, const QList<GSensorSample>& samples, qint64 durationMs) {
    QImage graph = background.convertToFormat(QImage::Format_RGB32);
    const qint64 scaleMs = ScaleDurationMs(durationMs);
    if (samples.isEmpty() || scaleMs <= 0)
        return graph;
    const double scale = ScaleWidth / double(scaleMs);
    QPainter painter(&graph);
    painter.setPen(QPen(QColor::fromRgb(CurveColour), 1));
    DrawCurve(painter, samples, &GSensorSample::x, Baselines[0], scale);
    DrawCurve(painter, samples, &GSensorSample::y, Baselines[1], scale);
    DrawCurve(painter, samples, &GSensorSample::z, Baselines[2], scale);
    return graph;
}

int CursorX(qint64 positionMs, qint64 durationMs) {
    const qint64 scaleMs = ScaleDurationMs(durationMs);
    if (scaleMs <= 0)
        return -1;
    const qint64 x = qint64(std::max<qint64>(positionMs, 0) * ScaleWidth / double(scaleMs));
    return int(std::min<qint64>(x, Width - 1));
}

qint64 PositionAtX(int x, qint64 durationMs) {
    const qint64 scaleMs = ScaleDurationMs(durationMs);
    if (scaleMs <= 0)
        return 0;
    return std::clamp<qint64>(qint64(x * double(scaleMs) / ScaleWidth), 0, durationMs);
}

} // namespace GSensorGraph
