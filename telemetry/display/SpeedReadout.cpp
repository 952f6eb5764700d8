#include "telemetry/display/SpeedReadout.h"

#include <cmath>

namespace SpeedReadout {

std::optional<int> SpeedNumber(double kmh) {
    const double whole = std::trunc(kmh);
    if (!(whole >= 0))
        return std::nullopt;
    // Only the last three digits are shown, so an absurd speed cannot overflow the number.
    return int(std::fmod(whole, 1000.0));
}

std::optional<int> SpeedAt(const RecordingTelemetry& telemetry, quint32 positionMs) {
    if (telemetry.FixCount() == 0)
        return 0;
    const std::optional<int> index = telemetry.FindFix(positionMs);
    if (!index)
        return std::nullopt;
    const GpsFix& fix = telemetry.Fixes()[*index];
    if (!fix.valid)
        return 0;
    return SpeedNumber(fix.speed);
}

QString SpeedText(int n) {
    return QStringLiteral("%1").arg(n % 1000, Digits, 10, QLatin1Char('0'));
}

} // namespace SpeedReadout
