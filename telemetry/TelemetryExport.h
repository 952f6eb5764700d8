#pragma once

#include "telemetry/CGPSData.h"
#include "telemetry/CGSensorData.h"

#include <QList>
#include <QString>

// The recording's telemetry in the formats other programs read. Each writes the whole file beside
// its target first and replaces the target only once complete; returns an error text, empty on
// success.

// A GPX 1.1 track named `trackName`: decimal degrees, UTC times (for fixes that carry a date),
// speed in m/s and course in the Garmin TrackPointExtension v2 that map programs read. Fixes
// without a position (a sentence cut short) are left out.
QString WriteGpxTrack(const QList<CGPSData>& fixes, const QString& trackName, const QString& path);

// The G-sensor samples as CSV: a header line "offset_ms,x,y,z", then one line per sample.
QString WriteGsensorCsv(const QList<CGSensorData>& samples, const QString& path);

// A coordinate as the sentence writes it (ddmm.mmmm, negative south or west) in degrees.
double DecimalDegrees(double nmeaValue);
