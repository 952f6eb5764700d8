#pragma once

#include "app/MainWindowSkin.h"
#include "library/DriveRemovalWatcher.h"
#include "library/LinuxDriveProvider.h"
#include "playback/PlaybackEngine.h"
#include "settings/CardSettings.h"
#include "settings/UDisksCardFormatter.h"
#include "telemetry/RecordingTelemetry.h"

#include <QDialog>
#include <QHash>
#include <functional>

class FileListView;
class MapView;
class SettingsDialog;
class CardLibrary;
class TripEventCommands;
class FullScreenMode;
class IncidentCommands;
class FullScreenPanels;
class MapCommands;
class PlaybackCommands;
class SaveDeleteCommands;
class SnapshotCommands;
class TelemetryViews;
class VideoWindow;

// The program's one main window: frameless, fixed at 1022 x 682, drawn entirely from the skin.
// It owns everything that lives while the program runs and hands each command to the room that
// implements it.
class MainWindow : public QDialog {
    Q_OBJECT
public:
    static constexpr int Width = 1022;
    static constexpr int Height = 682;

    // cardRoot: a folder given on the command line to be taken as the card's root, or empty.
    // drives: where removable drives are found; the window's own Linux provider when null.
    // audio: the sound output of the player (tests pass a silent one).
    // connected: whether the map page may be loaded.
    explicit MainWindow(const QString& cardRoot, const DriveProvider* drives = nullptr,
                        AudioOutputFactory audio = MakeSystemAudioOutput,
                        std::function<bool()> connected = {}, QWidget* parent = nullptr);
    ~MainWindow() override;

    int DisplayMode() const;
    // The pointer's last zone in full-screen mode (FullScreenLayout); kept across the modes.
    int PointerZone() const;
    int MapViewState() const;
    int CurrentIndex() const;
    const QString& LibraryRoot() const;
    const CardSettings& Settings() const { return m_settings; }
    const RecordingTelemetry& Telemetry() const;
    PlaybackEngine& Player() { return m_player; }

    // Runs the command of a control ID as the window's own button does: the full-screen panels
    // send theirs here, so that every command has one handler. Unknown IDs do nothing.
    void OnCommand(int controlId);
    // Stops playback and ends the window, as its close button does.
    void Close();
    // A removable drive went away; when it was the card, the window lets go of it.
    void OnDriveRemoved(const QString& root);
    // The card came back at another root after a format: the same card, kept under its new root.
    void OnCardMoved(const QString& oldRoot, const QString& newRoot);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateSkin();
    void ApplyLayout(int layout);
    void ApplyEnlargedMapLayout();
    void ConnectCommands();
    // Windowed and the map not enlarged: the video, the graph and the speed are in view.
    bool ShowsVideo() const;
    // The graph and the speed show with the video only, the speed beside the map buttons.
    void PlaceTelemetryViews();
    // In full screen, over the video; the wish is kept for the next time when windowed.
    void ToggleTelemetryOverlay();
    void OnSettings();
    bool HandleKey(int key, Qt::KeyboardModifiers modifiers);
    // The point of the window lies on the video.
    bool OverVideo(QPoint point) const;

    // First, so that it goes last: the window's controls must not outlive their engine.
    PlaybackEngine m_player;
    LinuxDriveProvider m_linuxDrives;
    const DriveProvider& m_drives;
    DriveRemovalWatcher m_driveWatcher;
    CardSettings m_settings;
    UDisksCardFormatter m_cardFormatter;
    // The one settings window, replaced at every opening; it reads and saves m_settings.
    std::unique_ptr<SettingsDialog> m_settingsDialog;
    MainWindowControls m_controls;
    VideoWindow* m_videoWindow = nullptr;
    FileListView* m_fileList = nullptr;
    CardLibrary* m_library = nullptr;
    PlaybackCommands* m_playback = nullptr;
    SnapshotCommands* m_snapshots = nullptr;
    SaveDeleteCommands* m_saveDelete = nullptr;
    TripEventCommands* m_events = nullptr;
    IncidentCommands* m_incident = nullptr;
    QHash<int, std::function<void()>> m_commands;
    FullScreenPanels* m_panels = nullptr;
    FullScreenMode* m_fullScreen = nullptr;
    TelemetryViews* m_telemetry = nullptr;
    MapView* m_mapView = nullptr;
    // The ground of the video and its controls over the enlarged map.
    QWidget* m_mapPlaybackPanel = nullptr;
    MapCommands* m_map = nullptr;
    std::function<bool()> m_connected;
};
