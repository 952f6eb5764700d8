#pragma once

#include "telemetry/GpsFix.h"
#include "telemetry/RecordingTelemetry.h"
#include "telemetry/display/MapScript.h"

#include <QList>
#include <QWidget>
#include <functional>

class MapBrowser;

// The map of the main window (ControlId::MapView): the host of the browser that shows the map page.
// The program loads the page, sends it the recording's track once loaded and the marker's place
// on every playback tick; a click on the track asks to play from there. The browser, and the
// browser engine with it, is made with the first page, so that a window whose map is never
// opened never loads it; until then the pane stays plain.
class MapView : public QWidget {
    Q_OBJECT
public:
    explicit MapView(QWidget* parent);

    void Navigate(const QUrl& url);
    // Calls the page function the script text names (see MapScript::ParseScriptCall) with its
    // arguments as strings. The page answers later: `result` gets its return value as text, ""
    // when there was no page, no such function or no value.
    void CallScript(const QString& text, std::function<void(const QString&)> result = {});
    // Puts the marker on the fix shown at the playback position.
    void UpdateMapPosition(const RecordingTelemetry& telemetry, quint32 positionMs);
    // The recording's track, drawn on this page and every page loaded after.
    void SetTrack(const QList<GpsFix>& fixes);
    // A trip's track, the current recording's piece drawn stronger; the same pieces again only
    // change which one that is, and the view stays where the user left it.
    void SetTrack(const QList<MapScript::TrackPiece>& pieces, int current);

    // The browser's widget (a QWebEngineView), null until the first page is loaded.
    QWidget* Browser() const;

    // The last position sent to the page, in decimal degrees.
    double latitude = 0.0;
    double longitude = 0.0;

signals:
    // The track was clicked near the fix at that time on the track: the offset into the
    // recording, or for a trip the time since the trip's start.
    void trackClicked(qint64 offsetMs);
    // Also sent, with false, when the browser engine cannot be loaded.
    void pageLoaded(bool ok);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    bool CreateBrowser();
    void ShowBrowserError(const QString& error);
    void SendTrack();

    MapBrowser* m_browser = nullptr;
    QList<MapScript::TrackPiece> m_pieces;
    QString m_trackSource;
    bool m_loaded = false;
};
