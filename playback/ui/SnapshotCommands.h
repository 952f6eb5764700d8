#pragma once

#include <QObject>
#include <QString>

class FileListView;
class PlaybackEngine;
class CardLibrary;
class PlaybackCommands;
class QImage;
class QWidget;
class VideoWindow;

// The capture and rotate buttons: the picture now shown saved as a JPEG under a name the user
// chooses, and the picture turned by the engine (so that snapshots are turned with it).
class SnapshotCommands : public QObject {
    Q_OBJECT
public:
    SnapshotCommands(PlaybackEngine& player, VideoWindow& video, const PlaybackCommands& playback,
                     const FileListView& list, const CardLibrary& library, QWidget* window);

    // The folder of the last snapshot saved in this run; empty before the first.
    const QString& SnapshotFolder() const { return m_snapshotFolder; }
    bool Turned() const { return m_turned; }

    void Capture();
    void Rotate();
    // A newly opened recording comes with a fresh decoder and is shown normal.
    void OnRecordingOpened() { m_turned = false; }

private:
    // The path chosen in the save dialog, empty when cancelled.
    QString AskPath(const QString& suggestion) const;
    void Save(const QImage& frame, const QString& chosenPath);

    PlaybackEngine& m_player;
    VideoWindow& m_video;
    const PlaybackCommands& m_playback;
    const FileListView& m_list;
    const CardLibrary& m_library;
    QWidget* m_window;
    QString m_snapshotFolder;
    bool m_turned = false;
};
