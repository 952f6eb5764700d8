#pragma once

#include "telemetry/RecordingTelemetry.h"
#include "telemetry/display/MapScript.h"

#include <QObject>
#include <QPoint>
#include <QRect>

class GSensorGraphView;
class MapView;
class SpeedDigitsView;
class TelemetryOverlay;
class QWidget;

// The open recording's telemetry and the views that show it beside the video: the G-sensor
// graph with its cursor, the speed digits, and the map's track and marker. The window tells it
// what was opened and which position is shown; the views follow.
class TelemetryViews : public QObject {
    Q_OBJECT
public:
    // The views are children of `window`; the map view is the window's.
    TelemetryViews(QWidget* window, MapView& map);

    const RecordingTelemetry& Telemetry() const { return m_telemetry; }
    GSensorGraphView& Graph() const { return *m_graph; }
    SpeedDigitsView& Speed() const { return *m_speed; }
    TelemetryOverlay& Overlay() const { return *m_overlay; }

    // Reads the recording's .gps and .gsf files and draws them; false when it has no fixes. The
    // map shows the trip's pieces when there are any, else the recording's track.
    bool ShowRecording(const QString& recordingPath, qint64 durationMs,
                       const QList<MapScript::TrackPiece>& tripPieces = {}, int tripPiece = 0);
    // Moves the marker and the cursor; the speed only while the digits are shown.
    void ShowPosition(qint64 positionMs);
    // Playback stopped: no cursor, no speed.
    void Clear();
    // The graph and the speed show in the windowed view only, the speed at `speedAt`.
    void Place(bool shown, QPoint speedAt);
    // The overlay shows in the top-left corner of `area` (the full-screen video clear of the
    // bars) while it is wanted; an empty area (not full screen) puts it away. Wanted is kept
    // across the modes.
    void PlaceOverlay(const QRect& area);
    void ToggleOverlay();
    bool OverlayWanted() const { return m_overlayWanted; }

private:
    RecordingTelemetry m_telemetry;
    MapView& m_map;
    GSensorGraphView* m_graph;
    SpeedDigitsView* m_speed;
    TelemetryOverlay* m_overlay;
    QRect m_overlayArea;
    qint64 m_positionMs = -1;
    bool m_shown = true;
    bool m_overlayWanted = false;
};
