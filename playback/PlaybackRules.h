#pragma once

#include <QString>
#include <cstdint>

// The numbers behind the playback controls.
namespace PlaybackRules {

// Speed slider positions 1 to 9; the position in the middle plays at normal speed.
constexpr int SpeedMinimum = 1;
constexpr int SpeedNormal = 5;
constexpr int SpeedMaximum = 9;
float RateForSpeedPosition(int position);

// "hh:mm:ss" of whole seconds; hours are not limited to two digits.
QString TimeText(std::int64_t milliseconds);

} // namespace PlaybackRules
