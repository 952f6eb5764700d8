#pragma once

#include "playback/AudioOutput.h"
#include "playback/FrameConverter.h"
#include "playback/MediaFile.h"
#include "playback/MediaOpener.h"
#include "playback/PlaybackResult.h"
#include "playback/VideoFrameQueue.h"

#include <QImage>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <memory>
#include <optional>

class PlaybackPipeline;
class QPainter;

// One opened recording: its state, rate and position, and the picture it shows. The window
// reads the state directly and drives the graph through these calls, all on its own thread.
class PlaybackGraph : public QObject {
    Q_OBJECT
public:
    // State codes as the window reads them.
    enum : int { Running = 0, Paused = 1, Stopped = 2, Empty = 3 };

    // Decoder parameters the window sets (SetDecoderParam).
    enum : int {
        ParamBrightnessOn = 205,
        ParamBrightness = 202,
        ParamTurnOn = 1101,
        ParamTurned = 1112,
    };

    // Makes pictures at `clientSize`, or at the video's own size while that is empty.
    PlaybackGraph(QSize clientSize, AudioOutputFactory audio);
    ~PlaybackGraph() override;

    // Builds the chain for `path`, opening the file on a thread of its own. Done when built;
    // Failed when the file cannot be played (the graph stays empty, Error() says why); Pending
    // when the file has not answered within BuildWait, and built() follows. The window's thread
    // never waits longer than that on a file.
    PlaybackResult Build(const QString& path);
    static constexpr std::chrono::milliseconds BuildWait{200};
    bool Building() const { return m_opener != nullptr; }
    // Why the last Build failed.
    const QString& Error() const { return m_error; }

    int State() const { return m_state; }
    // A recording is open and neither stopped nor closed.
    bool HasMedia() const { return m_state == Running || m_state == Paused; }
    PlaybackResult Run();
    PlaybackResult Pause();
    PlaybackResult Stop();

    // Everything has played: the position stays at the end.
    bool Ended() const;

    // 100-ns units.
    PlaybackResult CurrentPosition(qint64& position);
    PlaybackResult Duration(qint64& duration);
    PlaybackResult SetCurrentPosition(qint64 position);
    // While paused, shows the frame after (+1) or before (-1) the one shown, in presentation
    // order; at the first or the last frame the picture stays. WrongState while running or
    // while the picture of a seek or step is still coming.
    PlaybackResult StepFrame(int direction);

    // Stored as given; clamped to 0.5 to 2.0 (1.0 exactly stays) when the graph runs.
    void SetRate(float rate) { m_rate = rate; }
    float Rate() const { return m_rate; }

    // Gains of the program's sound: the low word is the left channel, the high word the right,
    // each 0 (silent) to 0xFFFF (full), as the window's volume slider gives them.
    void SetVolume(quint32 volume);

    // Fits the picture to the video window's client size (device pixels) and shows it again.
    void Repaint(QSize clientSize);
    // Draws the picture stretched to `target`; black without one.
    void RepaintInto(QPainter& painter, const QRect& target) const;

    // 205 = 1 then 202 = v (-150 to 150) shifts the brightness; 1101 = 1 then 1112 = 1 or 0
    // turns the picture by 180 degrees or back. Other parameters are kept and have no effect.
    PlaybackResult SetDecoderParam(int id, int value);

    // The picture now shown at the video's own size, with brightness and turn as shown. Right
    // after a seek it waits a moment for the new picture; false when that does not come.
    bool GrabFrame(QImage& frame);
    // The picture now shown, at the client size; null before the first one.
    const QImage& Picture() const { return m_shown.picture; }

    // The picture asked for by the last seek is still being decoded.
    bool FramePending() const;
    // Where the picture now shown starts (100-ns units). After a seek into a damaged stream it
    // may be a later one than asked for: the first the decoder could make.
    qint64 ShownPosition() const;
    const MediaInfo* Info() const;

signals:
    // A Build that took longer than BuildWait has ended: built or failed.
    void built(bool ok);
    // The picture asked for by the last seek is shown, or the file has none there.
    void seekSettled();
    // What Picture() gives has changed: a new frame, a new look or a new size.
    void pictureChanged();

private:
    PlaybackResult FinishBuild();
    void Present();
    void PostPresent();
    PictureTarget Target() const;
    void ApplyTarget();
    void RefreshShownPicture();

    QSize m_clientSize;
    AudioOutputFactory m_audio;
    std::unique_ptr<MediaOpener> m_opener;
    std::unique_ptr<PlaybackPipeline> m_pipeline;
    QString m_error;

    int m_state = Empty;
    float m_rate = 1.0f;
    qint64 m_durationCache = 0;

    QTimer m_presentTimer;
    std::atomic<bool> m_presentPosted = false;
    VideoFrame m_shown;
    FrameConverter m_converter; // for grabs and pictures that must be made again
    QSize m_pictureSize;
    PictureLook m_look;
    int m_lookVersion = 0;
    int m_brightnessOn = 0, m_brightness = 0, m_turnOn = 0, m_turned = 0;
    quint32 m_volume = 0xFFFFFFFF;
};
