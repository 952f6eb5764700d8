#pragma once

#include "telemetry/RecordingTelemetry.h"

#include <QString>
#include <optional>

// The three-digit speed beside the map buttons, in km/h.
namespace SpeedReadout {

constexpr int DigitWidth = 10;
constexpr int DigitHeight = 15;
constexpr int Digits = 3;

// The whole km/h shown for a speed; nothing for a negative one.
std::optional<int> SpeedNumber(double kmh);

// What the read-out shows at a playback position: a number to draw, or nothing when no fix
// matches and the digits on screen stay as they are. The view skips the redraw when it already
// shows the number: skipping by the previous fix's speed would leave it blank at a steady speed
// after a new recording or a seek.
std::optional<int> SpeedAt(const RecordingTelemetry& telemetry, quint32 positionMs);

// The three digits drawn for n: leading zeros, only the last three of a larger number.
QString SpeedText(int n);

} // namespace SpeedReadout
