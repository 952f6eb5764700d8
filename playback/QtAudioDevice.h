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
    void Discard();
    qint64 HeardFrames() const;
    bool Failed() const { return failed_; }

protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    void StartSink();
    void TakeSnapshot();
    void OnStateChanged(QAudio::State state);

    QAudioDevice device_;
    PcmQueue* queue_;
    QAudioSink* sink_ = nullptr;
    bool playing_ = false;
    bool started_ = false; // a stream is open
    bool resetting_ = false;
    std::atomic<bool> failed_ = false;

    // What has been heard: frames read before the current stream, plus what the sink has
    // played of it, measured at `measured_` and moving on in real time while playing.
    mutable std::mutex mutex_;
    qint64 framesRead_ = 0;
    qint64 streamStart_ = 0;
    qint64 heardAtMeasure_ = 0;
    QElapsedTimer measured_;
    bool interpolate_ = false;
    mutable qint64 reported_ = 0;
};
