#pragma once

#include "telemetry/DrivingEvents.h"
#include "telemetry/TrackLength.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <optional>

// What trips and events need to know of one recording, gathered once per card (CardScan).
struct RecordingSummary {
    QString name;
    QString path;
    QDateTime start;     // the camera's time from the name, read as UTC: no clock change applies
    qint64 lengthMs = 0; // from the container's header, else as far as its telemetry reaches
    bool hasTelemetry = false;
    double distanceKm = 0.0;
    double maxSpeedKmh = 0.0;
    std::optional<TrackPoint> firstPoint;
    std::optional<TrackPoint> lastPoint;
    QList<DrivingEvent> events;

    QDateTime End() const { return start.addMSecs(lengthMs); }
    bool operator==(const RecordingSummary&) const = default;
};

// The camera's time a recording's name begins with (YYYYMMDD_HHMMSS); invalid for another name.
QDateTime RecordingStartTime(QStringView name);
