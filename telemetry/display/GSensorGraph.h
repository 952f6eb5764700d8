#pragma once

#include "telemetry/GSensorSample.h"

#include <QImage>
#include <QList>
#include <QPoint>

// The graph of the three G-sensor axes over the whole recording, drawn on the skin's graph
// bitmap. Green is see-through on screen.
namespace GSensorGraph {

constexpr QPoint Position{41, 531};
constexpr int Width = 370;
constexpr int Height = 114;
// A full-length curve runs two pixels past the image's right edge.
constexpr double ScaleWidth = 372.0;
constexpr int Baselines[] = {19, 57, 95};
constexpr double PixelsPerUnit = 19.0 / 128.0;
// Later samples are left out of the curves.
constexpr quint32 LastDrawnMs = 300000;
constexpr QRgb CurveColour = 0xFFBB2D09;

// The recording's length as the graph scales it: whole seconds, in milliseconds.
qint64 ScaleDurationMs(qint64 durationMs);

// The three curves over a copy of `background`. A recording shorter than a second has no scale,
// so its graph stays empty.
QImage Draw(const QImage& background, const QList<GSensorSample>& samples, qint64 durationMs);

// Where the playback position stands on the graph's scale; -1 when there is no scale.
int CursorX(qint64 positionMs, qint64 durationMs);
// The playback position a click at column x stands for, within the recording.
qint64 PositionAtX(int x, qint64 durationMs);

} // namespace GSensorGraph
