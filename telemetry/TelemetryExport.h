#pragma once

#include "telemetry/GSensorSample.h"
#include "telemetry/GpsFix.h"

#include <QList>
#include <QString>

// The recording's telemetry in the formats other programs read. Each writes the whole file beside
// its target first and replaces the target only once complete; returns an error text, empty on
// success.

// A GPX 1.1 track named `trackName`: decimal degrees, UTC times (for fixes that carry a date),
// speed in m/s and course in the Garmin TrackPointExtension v2 that map programs read. Fixes
// without a position (a sentence cut short) or outside the range of degrees are left out, and so
// are a negative speed and a course outside 0 to 360; characters XML cannot hold are left out of
// the name (controls) or shown as U+FFFD.
QString WriteGpxTrack(const QList<GpsFix>& fixes, const QString& trackName, const QString& path);
// The file's text; empty if the XML writer refused something (it never should).
QByteArray GpxTrackText(const QList<GpsFix>& fixes, const QString& trackName);

// The G-sensor samples as CSV: a header line "offset_ms,x,y,z", then one line per sample.
QString WriteGsensorCsv(const QList<GSensorSample>& samples, const QString& path);
QByteArray GsensorCsvText(const QList<GSensorSample>& samples);

// A coordinate as the sentence writes it (ddmm.mmmm, negative south or west) in degrees.
double DecimalDegrees(double nmeaValue);
