#pragma once

#include "incident/FrameOverlay.h"
#include "incident/SpanRecordings.h"
#include "incident/SpanTelemetry.h"

#include <QImage>
#include <QList>
#include <atomic>
#include <functional>

// Told the share of the work done, 0 to 1.
using ExportProgress = std::function<void(double done)>;

struct ClipFiles {
    QString clip;       // clip.mp4
    QString overlayCsv; // the values drawn on each picture
};

// Re-encodes the span's parts of the recordings as one clip, each picture with the telemetry of
// its own time drawn in, and the sound beside it: silence where a recording has none, so that
// the pictures of later recordings keep their place. `stills` gets four pictures spread over the
// span, as drawn. Returns an error text, empty on success; "cancelled" when `cancel` was set.
QString WriteClip(const QList<SpanRecording>& recordings, const SpanTelemetry& telemetry,
                  SpeedUnit unit, const ClipFiles& files, QList<QImage>& stills,
                  const ExportProgress& progress, const std::atomic<bool>& cancel);

inline const QString CancelledText = QStringLiteral("cancelled");
