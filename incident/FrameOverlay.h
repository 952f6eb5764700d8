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

// The overlay for a picture of `frameSize`, sized to it, as an image to lay over the picture's
// top left corner (QImage::Format_ARGB32_Premultiplied, transparent around the text's box); the
// rest of the picture stays as filmed.
QImage RenderFrameOverlay(const FrameOverlay& overlay, QSize frameSize);

// overlay.csv, the values of every picture of the clip in order, for anyone who checks them.
QByteArray OverlayCsvHeader();
QByteArray OverlayCsvLine(int frame, qint64 clipMs, const QString& recording, qint64 positionMs,
                          const FrameOverlay& overlay);
