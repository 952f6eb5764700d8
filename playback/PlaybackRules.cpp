#include "playback/PlaybackRules.h"

namespace PlaybackRules {

float RateForSpeedPosition(int position) {
    static constexpr float Rates[] = {0.2f, 0.4f, 0.6f, 0.8f, 1.0f, 1.25f, 1.5f, 1.75f, 2.0f};
    if (position < SpeedMinimum || position > SpeedMaximum)
        return 1.0f;
    return Rates[position - SpeedMinimum];
}

QString TimeText(std::int64_t milliseconds) {
    const std::int64_t seconds = milliseconds / 1000;
    return QString::asprintf("%02lld:%02lld:%02lld", static_cast<long long>(seconds / 3600),
                             static_cast<long long>(seconds % 3600 / 60),
                             static_cast<long long>(seconds % 60));
}

} // namespace PlaybackRules
