#pragma once

#include <QAudioDevice>
#include <QAudioSink>
#include <QElapsedTimer>
#include <QIODevice>
#include <atomic>
#include <mutex>

class PcmQueue;

// The QAudioSink and the stream it pulls, on the audio thread. Every slot runs there; the
// counters may be read from any thread.
class QtAudioDevice : public QIODevice {
    Q_OBJECT
public:
    QtAudioDevice(const QAudioDevice& device, PcmQueue* queue);
    ~QtAudioDevice() override;

    bool isSequential() const override { return true; }
    // The stream never ends by itself: the sink waits for more when nothing is queued.
    bool atEnd() const override { return false; }

    bool Open();
    void SetPlaying(bool playing);
    qint64 HeardFrames() const;
    bool Failed() const { return m_failed; }

protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    void StartSink();
    void TakeSnapshot();
    void OnStateChanged(QAudio::State state);

    QAudioDevice m_device;
    PcmQueue* m_queue;
    QAudioSink* m_sink = nullptr;
    bool m_playing = false;
    bool m_started = false; // a stream is open
    bool m_resetting = false;
    std::atomic<bool> m_failed = false;

    // What has been heard: frames read before the current stream, plus what the sink has
    // played of it, measured at `m_measured` and moving on in real time while playing.
    mutable std::mutex m_mutex;
    qint64 m_framesRead = 0;
    qint64 m_streamStart = 0;
    qint64 m_heardAtMeasure = 0;
    QElapsedTimer m_measured;
    bool m_interpolate = false;
    mutable qint64 m_reported = 0;
};
