#include "telemetry/ui/TelemetryViews.h"

#include "telemetry/display/SpeedReadout.h"
#include "telemetry/ui/GSensorGraphView.h"
#include "telemetry/ui/MapView.h"
#include "telemetry/ui/SpeedDigitsView.h"
#include "telemetry/ui/TelemetryOverlay.h"

TelemetryViews::TelemetryViews(QWidget* window, MapView& map)
    : QObject(window), m_map(map), m_graph(new GSensorGraphView(window)),
      m_speed(new SpeedDigitsView(window)), m_overlay(new TelemetryOverlay(window)) {}

bool TelemetryViews::ShowRecording(const QString& recordingPath, qint64 durationMs,
                                   const QList<MapScript::TrackPiece>& tripPieces, int tripPiece) {
    m_telemetry.Load(recordingPath);
    // Drawn whatever the view, so that returning to the window shows this recording's curves.
    m_graph->DrawGSensorGraph(m_telemetry.Samples(), durationMs);
    if (tripPieces.isEmpty())
        m_map.SetTrack(m_telemetry.Fixes());
    else
        m_map.SetTrack(tripPieces, tripPiece);
    m_overlay->ShowRecording(m_telemetry, durationMs);
    m_positionMs = -1;
    return m_telemetry.FixCount() > 0;
}

void TelemetryViews::ShowPosition(qint64 positionMs) {
    m_map.UpdateMapPosition(m_telemetry, quint32(positionMs));
    if (m_shown)
        if (const std::optional<int> speed =
                SpeedReadout::SpeedAt(m_telemetry, quint32(positionMs)))
            m_speed->DrawSpeed(*speed);
    m_graph->SetCursorPosition(positionMs);
    m_positionMs = positionMs;
    if (m_overlay->isVisible())
        m_overlay->ShowPosition(m_telemetry, positionMs);
}

void TelemetryViews::Clear() {
    m_speed->Clear();
    m_graph->ClearCursor();
    m_overlay->Clear();
    m_positionMs = -1;
}

void TelemetryViews::Place(bool shown, QPoint speedAt) {
    m_shown = shown;
    m_graph->setVisible(shown);
    m_speed->move(speedAt);
    m_speed->setVisible(shown);
}

void TelemetryViews::PlaceOverlay(const QRect& area) {
    m_overlayArea = area;
    const bool show = m_overlayWanted && !area.isEmpty();
    if (show) {
        m_overlay->move(area.topLeft() + QPoint(16, 16));
        m_overlay->raise();
        if (m_positionMs >= 0)
            m_overlay->ShowPosition(m_telemetry, m_positionMs);
    }
    m_overlay->setVisible(show);
}

void TelemetryViews::ToggleOverlay() {
    m_overlayWanted = !m_overlayWanted;
    PlaceOverlay(m_overlayArea);
}
