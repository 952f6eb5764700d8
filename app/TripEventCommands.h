#pragma once

#include "library/CardScan.h"

#include <QHash>
#include <QObject>

class CardScanner;
class FileListView;
class GSensorGraphView;
class PlaybackCommands;
class PlaybackEngine;
class SkinLabel;
class QWidget;

// The card's driving events in the window: the scan that finds them (on a thread, with its
// progress over the list), their marks in the list and on the graph, and the keys that step
// through them, each played from a little before it happened.
class DrivingEventCommands : public QObject {
    Q_OBJECT
public:
    // How much of the run-up an event is played with.
    static constexpr qint64 LeadInMs = 2000;
    // The count of the card's events, over the list's right end; the window shows it with the list.
    static constexpr int StatusId = 1151;

    DrivingEventCommands(QWidget* window, FileListView& list, GSensorGraphView& graph,
                         PlaybackCommands& playback, PlaybackEngine& player);

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

private:
    void OnScanned(const CardScan& scan);
    void ShowCount();

    FileListView& m_list;
    GSensorGraphView& m_graph;
    PlaybackCommands& m_playback;
    PlaybackEngine& m_player;
    CardScanner* m_scanner;
    SkinLabel* m_status;
    CardScan m_scan;
    QHash<QString, int> m_recordingByName;
    QString m_scannedRoot;
    bool m_scannedFolderMode = false;
};
