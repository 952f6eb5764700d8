#pragma once

#include "incident/SpanRecordings.h"
#include "telemetry/RecordingTelemetry.h"

#include <QDateTime>
#include <QList>
#include <optional>

// What the car's sensors said at one moment: the last fix and the last G-sensor sample taken at
// or before it, so that a picture never shows a value measured after it was filmed.
struct TelemetryMoment {
    QDateTime cameraTime;
    std::optional<GpsFix> fix;
    std::optional<GSensorSample> sample;
};

// The fix's own time on the GPS clock (UTC); nullopt when the sentence carried no date.
std::optional<QDateTime> FixUtc(const GpsFix& fix);

// A fix or a sample with the camera time it was taken at.
struct TimedFix {
    QDateTime cameraTime;
    GpsFix fix;
};
struct TimedSample {
    QDateTime cameraTime;
    GSensorSample sample;
};

// The telemetry of every recording of a span, read once.
class SpanTelemetry {
public:
    explicit SpanTelemetry(const QList<SpanRecording>& recordings);

    // At `positionMs` into the span's recording number `recording`.
    TelemetryMoment At(int recording, qint64 positionMs) const;
    // The fixes and samples taken within [from, to], in time order; where recordings repeat a
    // moment, the first one's.
    QList<TimedFix> Fixes(const QDateTime& from, const QDateTime& to) const;
    QList<TimedSample> Samples(const QDateTime& from, const QDateTime& to) const;

private:
    QList<SpanRecording> m_recordings;
    QList<RecordingTelemetry> m_telemetry;
};
