#pragma once

#include "telemetry/GpsFix.h"
#include "telemetry/RecordingTelemetry.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// The script calls the program makes on the map page.
namespace MapScript {

// An NMEA degrees-and-minutes number (ddmm.mmmm, signed) in decimal degrees.
double DecimalDegrees(double nmea);

// The call that puts the marker on the fix: longitude, latitude and the zoom 9.
QString DrawCurrentText(const GpsFix& fix);

// The fix the marker shows at a playback position; nothing when no valid fix matches.
std::optional<int> MapFixIndex(const RecordingTelemetry& telemetry, quint32 positionMs);

// A page function and its arguments as read from a script text such as
// "javascript:DrawCurrent('126.976130', '37.552057','9')".
struct ScriptCall {
    QString function;
    QStringList arguments;
};

// The text after "javascript:" is the function name up to "(", then arguments separated by
// blanks, commas, quotes, tabs, parentheses and semicolons. No "(" gives no function.
ScriptCall ParseScriptCall(const QString& text);

// JavaScript that calls the page's function by name with the arguments as strings, and gives
// its result as text; "" when the page has no such function or it returned nothing.
QString CallSource(const ScriptCall& call);

// One recording's part of the track shown: its fixes, and where the recording starts on the
// track's time (0 for a track of one recording; its start within the trip otherwise).
struct TrackPiece {
    QList<GpsFix> fixes;
    qint64 startMs = 0;
    bool operator==(const TrackPiece&) const = default;
};

// JavaScript that hands the page the whole track: one call of DrawTrack with every fix as
// [latitude, longitude, time in ms on the track, piece] in decimal degrees, and the piece of the
// recording playing, drawn stronger than the others. A click on the track asks to play from the
// time of the fix nearest to it.
QString TrackSource(const QList<TrackPiece>& pieces, int current);
// JavaScript that draws another piece of the same track as the one playing, leaving the view.
QString CurrentPieceSource(int current);

} // namespace MapScript
