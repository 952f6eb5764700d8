#pragma once

#include "incident/FrameOverlay.h"
#include "incident/SpanRecordings.h"
#include "incident/SpanTelemetry.h"

#include <QImage>
#include <QList>
#include <optional>

struct ReportContents {
    QString cardRoot; // empty without a card: its settings are then unknown
    QDateTime from;   // camera time
    QDateTime to;
    SpeedUnit unit;
    QList<SpanRecording> recordings;
    const SpanTelemetry* telemetry;
    QList<QImage> stills;
};

// How far the camera's clock stood ahead of GPS time (UTC) over the fixes: the median, in
// seconds; nullopt without a dated fix.
std::optional<qint64> CameraClockOffset(const QList<TimedFix>& fixes);

// report.pdf: when and where (camera time and GPS time, the clock's offset, the place), four
// pictures of the clip, the track, the speed and G-sensor curves with their peaks and the
// camera's settings from the card. Returns an error text, empty on success.
QString WriteIncidentReport(const ReportContents& contents, const QString& path);
