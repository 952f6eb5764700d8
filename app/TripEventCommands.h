#pragma once

#include "library/CardScan.h"
#include "telemetry/display/MapScript.h"

#include <QHash>
#include <QObject>

class CardScanner;
class FileListView;
class GSensorGraphView;
class PlaybackCommands;
class PlaybackEngine;
class SkinLabel;
class QWidget;

// The card's trips and driving events in the window: the scan that finds them (on a thread, with
// its progress over the list); the events' marks in the list and on the graph and the keys that
// step through them, each played from a little before it happened; the trip's whole track on the
// map, a click on which plays the recording that holds the point.
class TripEventCommands : public QObject {
    Q_OBJECT
public:
    // How much of the run-up an event is played with.
    static constexpr qint64 LeadInMs = 2000;
    // The count of the card's events, over the list's right end; the window shows it with the list.
    static constexpr int StatusId = 1151;

    // How strong a moment must be to count as an event. The status's menu chooses; the choice
    // is kept for the next start.
    enum class Sensitivity { More, Usual, Fewer };

    TripEventCommands(QWidget* window, FileListView& list, GSensorGraphView& graph,
                      PlaybackCommands& playback, PlaybackEngine& player);

    Sensitivity CurrentSensitivity() const { return m_sensitivity; }
    // Keeps the choice and scans the card again with it.
    void SetSensitivity(Sensitivity sensitivity);

    SkinLabel* Status() const { return m_status; }
    const CardScan& Scan() const { return m_scan; }

    // The list was built anew from `libraryRoot`: a card or folder that is not the one scanned
    // is scanned; `changed` asks for a new scan of the same one (files went or came).
    void OnListRefreshed(const QString& libraryRoot, bool folderMode, bool changed = false);
    // Marks the events of the recording just opened on the graph.
    void OnRecordingOpened(const QString& path);
    // Plays the next (+1) or the previous (-1) event of the listed recordings from LeadInMs
    // before it; after the last or before the first nothing happens.
    void StepEvent(int direction);

    // The map's track for a recording: one piece per recording of its trip, on the trip's time,
    // and which piece is the recording's; no pieces when it is a trip of its own or unknown.
    struct TripTrack {
        QList<MapScript::TrackPiece> pieces;
        int current = 0;
    };
    TripTrack TripTrackOf(const QString& recordingPath);
    // The map's track was clicked at that time on it: within the trip shown, the recording that
    // holds it plays from there; without a trip, the playing one.
    void OnTrackClicked(qint64 trackMs);

signals:
    // A scan came in: the trips and events it tells are now known.
    void scanned();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ChooseSensitivity();
    void Rescan();
    void OnScanned(const CardScan& scan);
    void ShowCount();
    // The trip of the playing recording, -1 without.
    int PlayingTrip() const;
    // Plays a recording of the scan from an offset, opening its row first when another plays;
    // nothing when the list does not show it.
    void PlayAt(int recording, qint64 offsetMs);

    FileListView& m_list;
    GSensorGraphView& m_graph;
    PlaybackCommands& m_playback;
    PlaybackEngine& m_player;
    CardScanner* m_scanner;
    SkinLabel* m_status;
    CardScan m_scan;
    QHash<QString, int> m_recordingByName;
    // The pieces of the trip last drawn, read once per trip.
    int m_piecesTrip = -1;
    QList<MapScript::TrackPiece> m_pieces;
    QString m_scannedRoot;
    bool m_scannedFolderMode = false;
    Sensitivity m_sensitivity;
};
