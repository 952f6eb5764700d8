#pragma once

#include "incident/SpanTelemetry.h"

#include <QList>
#include <QPainter>
#include <QRectF>

// The pictures of the report, drawn with the painter's current font into `area`.

// The track as seen from above, north up, at one scale on both axes, with its start and end.
void DrawTrackMap(QPainter& painter, const QRectF& area, const QList<TimedFix>& fixes);

// One curve over the span's time with its title and its peak (the value furthest from zero)
// marked and written.
struct Curve {
    QString title;
    QList<QPointF> points; // x: ms from the span's start; y: the value
    QColor colour;
};
void DrawCurve(QPainter& painter, const QRectF& area, const Curve& curve, qint64 spanMs);
