#pragma once

#include "playback/AudioOutput.h"
#include "playback/PlaybackGraph.h"

#include <QImage>
#include <QObject>
#include <memory>

// The main window's playback engine: at most one opened recording (its graph) and the picture it
// shows. Positions in milliseconds, steps in seconds. All calls on the window's thread.
class PlaybackEngine : public QObject {
    Q_OBJECT
public:
    explicit PlaybackEngine(AudioOutputFactory audio = MakeSystemAudioOutput);
    ~PlaybackEngine() override;

    // The client size (device pixels) of the window the video is shown in, or of the pictures
    // made without one (command line, benchmarks); empty: the video's own size.
    void Attach(QSize clientSize);

    // Discards the current graph for a fresh empty one and probes what playback needs:
    // 1 all present, -2 no H.264 decoder, -3 no MP4 demuxer, -4 no brightness control.
    int CheckFilters();

    // For the window: opens `path` without holding the window's thread longer than a moment.
    // False when it cannot be opened (LastError() says why). True when opened, and also while
    // the file is still being opened (Opening()); opened() follows then.
    bool BeginOpen(const QString& path);
    bool Opening() const { return m_graph && m_graph->Building(); }
    // For callers without a window: opens and waits until the file has answered and its first
    // picture is shown.
    bool Open(const QString& path);
    // Why the last open failed, for the log and the command line; the window says
    // StringId::CantPlayFile.
    const QString& LastError() const { return m_error; }
    bool Play();
    bool Pause();
    // Stops a running or paused recording and rewinds it to its start.
    void Stop();
    bool SetRate(float rate);
    bool SeekMs(int ms);
    bool StepBack(double seconds);
    bool StepForward(double seconds);
    // While paused: shows exactly the next (+1) or the previous (-1) frame; the first and the
    // last frame stay. False while running, without a recording, or while the picture of the
    // last seek or step has not come yet (a held key then skips no frame).
    bool StepFrame(int direction);
    qint64 PositionMs();
    qint64 DurationMs();
    bool GrabFrame(QImage& frame);
    void Close();

    // The graph's state code; Empty without a graph.
    int State() const;
    bool HasMedia() const { return m_graph && m_graph->HasMedia(); }
    const MediaInfo* Info() const { return m_graph ? m_graph->Info() : nullptr; }

    // -150 to 150; 0 shows the picture as recorded.
    void SetBrightness(int brightness);

    // The program's sound volume, kept across recordings: the low word is the left channel,
    // the high word the right, each 0 (silent) to 0xFFFF (full).
    void SetVolume(quint32 volume);

    // Fits the picture to the video window's new client size and shows it again.
    void Repaint(QSize clientSize);
    // Draws the picture stretched to `target`; black without one.
    void RepaintInto(QPainter& painter, const QRect& target) const;

    // The current graph, null after a failed open or Close.
    PlaybackGraph* Graph() const { return m_graph.get(); }

signals:
    // An open that went on after BeginOpen returned has ended.
    void opened(bool ok);
    // The picture to show has changed (RepaintInto draws another one).
    void pictureChanged();

private:
    void ReplaceGraph();
    void Failed(const QString& path);

    AudioOutputFactory m_audio;
    bool m_attached = false;
    QSize m_clientSize;
    std::unique_ptr<PlaybackGraph> m_graph;
    quint32 m_volume = 0xFFFFFFFF;
    QString m_error;
    int m_openCount = 0; // tells the answer of the current open from those of earlier ones
};
