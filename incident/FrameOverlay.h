#pragma once

#include "incident/SpanTelemetry.h"

#include <QImage>
#include <QString>

enum class SpeedUnit { KilometresPerHour, MilesPerHour };

// The values burned into one picture, as drawn. Fields without a measurement are "-".
struct FrameOverlay {
    QString cameraTime; // "2013-05-21 15:30:05.300"
    QString gpsUtc;     // "2013-05-21 06:30:05" of the fix shown
    QString speed;      // whole units, truncated as the program's read-out shows them
    QString unit;       // "km/h" or "mph"
    QString gx, gy, gz;
    QString latitude, longitude; // signed decimal degrees, five places
};

FrameOverlay MakeFrameOverlay(const TelemetryMoment& moment, SpeedUnit unit);

// Draws the overlay into the picture's upper part, sized to the picture; the bottom edge stays
// as filmed.
void DrawFrameOverlay(QImage& picture, const FrameOverlay& overlay);

// overlay.csv, the values of every picture of the clip in order, for anyone who checks them.
QByteArray OverlayCsvHeader();
QByteArray OverlayCsvLine(int frame, qint64 clipMs, const QString& recording, qint64 positionMs,
                          const FrameOverlay& overlay);
