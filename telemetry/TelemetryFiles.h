#pragma once

#include <QString>

// The endings that replace the last three characters of a recording's path.
inline constexpr QLatin1StringView GpsEnding("gps");
inline constexpr QLatin1StringView GsfEnding("gsf");

// The recording's telemetry file with that ending: the lower-case name the device writes, or the
// upper-case one when only that exists (a card copied through another system may hold either).
// Empty when neither exists.
QString FindTelemetryFile(const QString& recordingPath, QLatin1StringView ending);
