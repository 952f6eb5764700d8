#pragma once

#include "telemetry/RecordingTelemetry.h"

#include <QPixmap>
#include <QPointF>
#include <QWidget>
#include <optional>

// The telemetry over the video in full screen, on a see-through panel: the speed, the G-sensor
// curves with the playback cursor, and the track with the car's place when fixes exist. What
// stays the same for a recording is drawn once; a tick changes only the cursor, the marker and
// the speed.
class TelemetryOverlay : public QWidget {
    Q_OBJECT
public:
    static constexpr int Width = 320;

    explicit TelemetryOverlay(QWidget* parent);

    // Draws the recording's curves and track; its height grows by the map when it has fixes.
    void ShowRecording(const RecordingTelemetry& telemetry, qint64 durationMs);
    void ShowPosition(const RecordingTelemetry& telemetry, qint64 positionMs);
    void Clear();

    // What a viewer reads: the speed as shown ("" before the first), the cursor's column in the
    // graph (-1 without), whether the track is drawn, and the car's place on it.
    const QString& SpeedText() const { return m_speedText; }
    int CursorX() const { return m_cursorX; }
    bool ShowsTrack() const { return !m_track.isEmpty(); }
    std::optional<QPointF> Marker() const { return m_marker; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap m_base;
    QList<QPointF> m_track;
    qint64 m_durationMs = 0;
    QString m_speedText;
    int m_cursorX = -1;
    std::optional<QPointF> m_marker;
};
