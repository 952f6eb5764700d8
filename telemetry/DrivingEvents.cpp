#include "telemetry/DrivingEvents.h"

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <vector>

namespace {

enum Axis { AxisX, AxisY, AxisZ, AxisCount };

// A fix further than this from an event tells nothing of the speed around it.
constexpr qint64 NearestFixMs = 2000;

int Value(const GSensorSample& sample, int axis) {
    return axis == AxisX ? sample.x : axis == AxisY ? sample.y : sample.z;
}

// The median: a brake or a turn may hold an axis away from rest for seconds, and the median of
// a recording still lies where the car drove straight on.
int RestLevel(const std::vector<GSensorSample>& samples, int axis) {
    std::vector<int> values;
    values.reserve(samples.size());
    for (const GSensorSample& sample : samples)
        values.push_back(Value(sample, axis));
    const auto middle = values.begin() + std::ptrdiff_t(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

// Samples in a row where an axis strays at least `level` from rest in one direction.
struct Stray {
    int axis = AxisX;
    int sign = 1;
    qint64 startMs = 0;
    qint64 endMs = 0;
    int peak = 0;

    qint64 LengthMs() const { return endMs - startMs; }
};

QList<Stray> FindStrays(const std::vector<GSensorSample>& samples, int axis, int level) {
    const int rest = RestLevel(samples, axis);
    QList<Stray> strays;
    std::optional<Stray> open;
    for (const GSensorSample& sample : samples) {
        const int deviation = Value(sample, axis) - rest;
        const int sign = deviation < 0 ? -1 : 1;
        const bool away = std::abs(deviation) >= level;
        if (open && (!away || sign != open->sign)) {
            strays.append(*open);
            open.reset();
        }
        if (!away)
            continue;
        if (!open)
            open = Stray{axis, sign, sample.offset, sample.offset, 0};
        open->endMs = sample.offset;
        open->peak = std::max(open->peak, std::abs(deviation));
    }
    if (open)
        strays.append(*open);
    return strays;
}

std::optional<DrivingEventKind> SustainedKind(const Stray& stray) {
    if (stray.axis == AxisX)
        return stray.sign < 0 ? DrivingEventKind::Brake : DrivingEventKind::Acceleration;
    if (stray.axis == AxisY)
        return DrivingEventKind::Turn;
    return std::nullopt; // a long stray upright is a slope or a ramp
}

int Threshold(DrivingEventKind kind, const EventRules& rules) {
    switch (kind) {
    case DrivingEventKind::Brake:
        return rules.brakeStrength;
    case DrivingEventKind::Acceleration:
        return rules.accelerationStrength;
    case DrivingEventKind::Turn:
        return rules.turnStrength;
    case DrivingEventKind::Impact:
        return rules.impactStrength;
    }
    return rules.impactStrength;
}

// An axis is followed from half its lowest threshold on, so that a stray is timed from where it
// began rather than from where it grew strong.
int FollowLevel(int axis, const EventRules& rules) {
    int lowest = rules.impactStrength;
    if (axis == AxisX)
        lowest = std::min({lowest, rules.brakeStrength, rules.accelerationStrength});
    if (axis == AxisY)
        lowest = std::min(lowest, rules.turnStrength);
    return std::max(1, lowest / 2);
}

std::optional<double> SpeedBefore(const std::vector<GpsFix>& fixes, qint64 atMs) {
    auto after = std::upper_bound(fixes.begin(), fixes.end(), atMs,
                                  [](qint64 ms, const GpsFix& fix) { return ms < fix.offset; });
    if (after == fixes.begin() || atMs - std::prev(after)->offset > NearestFixMs)
        return std::nullopt;
    return std::prev(after)->speed;
}

std::optional<double> SpeedAfter(const std::vector<GpsFix>& fixes, qint64 endMs) {
    auto next = std::lower_bound(fixes.begin(), fixes.end(), endMs,
                                 [](const GpsFix& fix, qint64 ms) { return fix.offset < ms; });
    if (next == fixes.end() || next->offset - endMs > NearestFixMs)
        return std::nullopt;
    return next->speed;
}

// A spike shakes every axis at once: one impact, as strong as its strongest axis.
QList<Stray> MergedSpikes(QList<Stray> spikes) {
    std::sort(spikes.begin(), spikes.end(),
              [](const Stray& a, const Stray& b) { return a.startMs < b.startMs; });
    QList<Stray> merged;
    for (const Stray& spike : spikes) {
        if (!merged.isEmpty() && spike.startMs <= merged.last().startMs + LongestSpikeMs) {
            merged.last().endMs = std::max(merged.last().endMs, spike.endMs);
            merged.last().peak = std::max(merged.last().peak, spike.peak);
        } else {
            merged.append(spike);
        }
    }
    return merged;
}

} // namespace

QString DrivingEventKindName(DrivingEventKind kind) {
    switch (kind) {
    case DrivingEventKind::Brake:
        return QStringLiteral("brake");
    case DrivingEventKind::Acceleration:
        return QStringLiteral("acceleration");
    case DrivingEventKind::Impact:
        return QStringLiteral("impact");
    case DrivingEventKind::Turn:
        return QStringLiteral("turn");
    }
    return {};
}

EventRules EventRules::AtLeast(int strength) {
    EventRules rules;
    rules.brakeStrength = rules.accelerationStrength = rules.turnStrength = rules.impactStrength =
        strength;
    return rules;
}

QList<DrivingEvent> FindDrivingEvents(const QList<GSensorSample>& samplesInFileOrder,
                                      const QList<GpsFix>& fixesInFileOrder,
                                      const EventRules& rules) {
    std::vector<GSensorSample> samples(samplesInFileOrder.begin(), samplesInFileOrder.end());
    std::stable_sort(samples.begin(), samples.end(),
                     [](const auto& a, const auto& b) { return a.offset < b.offset; });
    std::vector<GpsFix> fixes(fixesInFileOrder.begin(), fixesInFileOrder.end());
    std::stable_sort(fixes.begin(), fixes.end(),
                     [](const auto& a, const auto& b) { return a.offset < b.offset; });
    if (samples.empty())
        return {};

    QList<DrivingEvent> events;
    const auto add = [&](DrivingEventKind kind, const Stray& stray) {
        if (stray.peak < Threshold(kind, rules))
            return;
        DrivingEvent event{kind, stray.startMs, stray.peak, SpeedBefore(fixes, stray.startMs),
                           SpeedAfter(fixes, stray.endMs)};
        if (kind == DrivingEventKind::Brake && event.speedBeforeKmh && event.speedAfterKmh &&
            *event.speedBeforeKmh - *event.speedAfterKmh < rules.brakeSpeedDropKmh)
            return;
        events.append(event);
    };
    QList<Stray> spikes;
    for (int axis = 0; axis < AxisCount; ++axis) {
        for (const Stray& stray : FindStrays(samples, axis, FollowLevel(axis, rules))) {
            if (stray.LengthMs() <= LongestSpikeMs)
                spikes.append(stray);
            else if (const auto kind = SustainedKind(stray))
                add(*kind, stray);
        }
    }
    for (const Stray& spike : MergedSpikes(spikes))
        add(DrivingEventKind::Impact, spike);
    std::stable_sort(events.begin(), events.end(),
                     [](const auto& a, const auto& b) { return a.atMs < b.atMs; });
    return events;
}
