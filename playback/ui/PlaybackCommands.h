#pragma once

#include "skin/BitmapIds.h"

#include <QObject>
#include <QTimer>
#include <functional>
#include <optional>

class FileListView;
class PlaybackEngine;
class SkinSlider;
class SkinButton;
class SkinLabel;
class QWidget;

// One set of controls that shows playback: the window's own, or their twins on the full-screen
// bars. Playback changes its state once and every set shows it.
struct PlaybackView {
    SkinButton* playPause;
    SkinButton* mute;
    SkinSlider* position;
    SkinSlider* volume;
    SkinLabel* elapsed;
    SkinLabel* total;
    SkinLabel* fileName;
    // The mute button's looks with sound and without.
    ButtonLooks volumeLook;
    ButtonLooks mutedLook;
};

// The main window's controls that show and steer playback.
struct PlaybackControls {
    PlaybackView view;
    SkinSlider* speed;
    SkinSlider* brightness;
};

// The window's side of playback: opening recordings from the list, the playback buttons and
// sliders, the position display every 200 ms and the walk on to the next row at the end.
class PlaybackCommands : public QObject {
    Q_OBJECT
public:
    static constexpr int PositionTickMs = 200;
    static constexpr double StepSeconds = 1.0;
    static constexpr double LongStepSeconds = 10.0;
    // Volume slider positions a wheel notch or key moves.
    static constexpr int VolumeStep = 5;

    // decoderCheck runs before every open; false stops the open silently.
    // fileNameShown tells whether the file-name text belongs on screen in the current layout.
    PlaybackCommands(PlaybackEngine& player, PlaybackControls controls, FileListView& list,
                     QWidget* window, std::function<bool()> decoderCheck,
                     std::function<bool()> fileNameShown);

    // The list row whose recording is open, -1 for none.
    int CurrentIndex() const { return m_currentIndex; }
    bool TimerRunning() const { return m_positionTimer.isActive(); }

    // From now on the full-screen bars' controls show playback too.
    void SetControlBar(PlaybackView twins);
    // The control bar was laid out: it takes the window's volume and mute state.
    void SyncControlBar();

    // True when the recording is open now. False when it cannot be opened (StringId::CantPlayFile
    // has been shown and the next row tried), and also while a slow file is still being opened: it
    // then shows and plays once it is open.
    bool OpenRecording(const QString& path);
    void PlayPause();
    void Rewind();
    void Forward();
    void Next();
    void Previous();
    // Back (negative) or on by `seconds`, as the step buttons do.
    void Step(double seconds);
    void GoToStart();
    void GoToEnd();
    void ToggleMute();
    // The volume slider `steps` VolumeSteps up (down when negative).
    void StepVolume(int steps);
    // The speed slider `steps` positions faster (slower when negative).
    void StepSpeed(int steps);
    // While paused: the next (+1) or previous (-1) frame, exactly.
    void StepFrame(int direction);
    void OnRowDoubleClicked(int row);
    // A mute button was clicked: the window's, or the bar's.
    void OnMute();
    void OnBarMute();
    void OnSliderScroll(int controlId, int code, int position);
    void PositionTick();
    // The list was rebuilt under the open recording: its index follows it to its new row, or
    // becomes -1 when it is no longer listed.
    void FollowOpenRecording();
    // Plays on from a time picked on the graph or the map; nothing without a recording.
    void SeekTo(qint64 positionMs);
    // Closes the recording and resets the display as at the end of the list.
    void StopPlayback();
    // The window is closing: timer and graph stop, the player lets go of the file.
    void Shutdown();

signals:
    // The recording at `path` was opened: its telemetry is to be loaded.
    void recordingOpened(const QString& path);
    // The playback position shown by the last tick, in milliseconds.
    void positionShown(qint64 positionMs);
    void playbackStopped();

private:
    void OnOpened(bool ok);
    void ReportFailedOpen();
    void ShowOpened(const QString& path);
    void StartPlaying();
    void OpenRow(int row);
    // Runs `show` on the window's controls and, once set, on the bars'.
    void ForEachView(const std::function<void(const PlaybackView&)>& show) const;
    void ShowPlayLook(bool playing) const;
    void SetMuted(bool muted);
    // Every mute button checked or not, with the matching looks.
    void ShowMuted(bool muted) const;
    void OnVolumeScroll(int position);
    enum class HeldThumb { Stays, Moves };
    // Moves the position sliders; a thumb the user holds stays unless told.
    void ShowPosition(qint64 positionMs, HeldThumb held) const;
    void ShowTimes(qint64 positionMs, qint64 lengthMs) const;
    void ShowLength(qint64 lengthMs) const;
    void ShowFileName(const QString& name) const;
    void AtEndOfRecording(qint64 positionMs, qint64 lengthMs);

    PlaybackEngine& m_player;
    PlaybackControls m_controls;
    std::optional<PlaybackView> m_bar;
    FileListView& m_list;
    QWidget* m_window;
    std::function<bool()> m_decoderCheck;
    std::function<bool()> m_fileNameShown;
    QTimer m_positionTimer;
    int m_currentIndex = -1;
    QString m_openPath;    // of the open recording
    QString m_openingPath; // of the recording still being opened
};
