#pragma once

#include "telemetry/GSensorSample.h"
#include "telemetry/GpsFix.h"

#include <QList>
#include <QString>
#include <optional>

// The moments of a drive worth finding again. The sensor's axes as the camera writes them: x
// along the car (above its rest level while speeding up, below it while braking), y across it
// (a turn either way), z upright (gravity's constant share sits in its rest level).
enum class DrivingEventKind { Brake, Acceleration, Impact, Turn };

// "brake", "acceleration", "impact" or "turn".
QString DrivingEventKindName(DrivingEventKind kind);

// What counts as an event, in the sensor's own units (its samples run from -120 to 120; the
// files do not say how many make 1 g). A strength is how far an axis strays from its rest level,
// the recording's median on that axis.
struct EventRules {
    static constexpr int DefaultSustainedStrength = 30;
    static constexpr int DefaultImpactStrength = 60;
    static constexpr double DefaultBrakeSpeedDropKmh = 5.0;

    int brakeStrength = DefaultSustainedStrength;
    int accelerationStrength = DefaultSustainedStrength;
    int turnStrength = DefaultSustainedStrength;
    int impactStrength = DefaultImpactStrength;
    // Where fixes tell the speed before and after, a brake that lost less speed than this was a
    // bump or a slope, not a brake.
    double brakeSpeedDropKmh = DefaultBrakeSpeedDropKmh;

    // Every kind found from the same strength on.
    static EventRules AtLeast(int strength);
    bool operator==(const EventRules&) const = default;
};

struct DrivingEvent {
    DrivingEventKind kind = DrivingEventKind::Impact;
    qint64 atMs = 0; // from the start of the recording, where the axis began to stray
    int strength = 0;
    // From the fix at or before the event and the first fix after it; absent without such a fix.
    std::optional<double> speedBeforeKmh;
    std::optional<double> speedAfterKmh;

    bool operator==(const DrivingEvent&) const = default;
};

// A stray of an axis that is over within this is a spike (an impact on any axis); a longer one
// is a brake or an acceleration (x) or a turn (y).
constexpr qint64 LongestSpikeMs = 300;

// The events of one recording, in time order.
QList<DrivingEvent> FindDrivingEvents(const QList<GSensorSample>& samples,
                                      const QList<GpsFix>& fixes, const EventRules& rules);
