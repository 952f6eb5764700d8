#pragma once

#include "telemetry/GSensorSample.h"
#include "telemetry/GpsFix.h"

#include <QList>
#include <QString>
#include <optional>

// The telemetry of the open recording: its G-sensor samples and its valid GPS fixes, both in file
// order. The graph, the speed read-out and the map read it; only Load writes it.
class RecordingTelemetry {
public:
    // Replaces both arrays with the contents of the .gps and .gsf files beside the recording.
    // A file that is missing or cannot be read leaves its array empty.
    void Load(const QString& recordingPath);

    // The index of the first fix in file order whose offset, as an unsigned number, is at or after
    // the playback position; nullopt when no fix is. The offsets need not ascend.
    std::optional<int> FindFix(quint32 positionMs) const;

    const QList<GpsFix>& Fixes() const { return m_fixes; }
    const QList<GSensorSample>& Samples() const { return m_samples; }
    qsizetype FixCount() const { return m_fixes.size(); }
    qsizetype SampleCount() const { return m_samples.size(); }

private:
    // Declared in this order so that the fixes are freed first.
    QList<GSensorSample> m_samples;
    QList<GpsFix> m_fixes;
};
