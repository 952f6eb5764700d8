#pragma once

#include "playback/AudioOutput.h"
#include "playback/CDShowGraph.h"

#include <QImage>
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <memory>

// The main window's playback engine: at most one opened recording (its graph), shown in the
// video window. Positions in milliseconds, steps in seconds. All calls on the window's thread.
class CDShowPlayer : public QObject {
public:
    explicit CDShowPlayer(AudioOutputFactory audio = MakeSystemAudioOutput);
    ~CDShowPlayer() override;

    // The window the video is drawn in. The player paints it: the picture stretched to the
    // window, black without one.
    void Attach(QWidget* videoWindow);
    // Without a window (command line, benchmarks): pictures are made at `size`.
    void Attach(QSize offscreenSize);

    // Discards the current graph for a fresh empty one and probes what playback needs:
    // 1 all present, -2 no H.264 decoder, -3 no MP4 demuxer, -4 no brightness control.
    int CheckFilters();

    bool Open(const QString& path);
    bool Play();
    bool SetRate(float rate);
    bool SeekMs(int ms);
    bool StepBack(double seconds);
    bool StepForward(double seconds);
    qint64 DurationMs();
    bool GrabFrame(QImage& frame);
    void Close();

    // The program's sound volume, kept across recordings: the low word is the left channel,
    // the high word the right, each 0 (silent) to 0xFFFF (full).
    void SetVolume(quint32 volume);

    // The current graph, null after a failed open or Close.
    CDShowGraph* Graph() const { return graph_.get(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool IsAttached() const { return videoWindow_ || !offscreenSize_.isEmpty(); }
    void ReplaceGraph();

    AudioOutputFactory audio_;
    QPointer<QWidget> videoWindow_;
    QSize offscreenSize_;
    std::unique_ptr<CDShowGraph> graph_;
    quint32 volume_ = 0xFFFFFFFF;
};
