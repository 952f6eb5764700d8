#pragma once

#include "playback/AudioOutput.h"
#include "playback/DecodeChain.h"

#include <QElapsedTimer>
#include <chrono>
#include <memory>
#include <optional>

// The threads that play one file and the clock they play to. Every method is called on the
// window's thread; `pictureQueued` is called on the decoder's thread whenever a picture arrives.
class PlaybackPipeline {
public:
    // `output` may be null: the sound is then not decoded.
    PlaybackPipeline(std::unique_ptr<MediaFile> file, std::unique_ptr<AudioOutput> output,
                     std::function<void()> pictureQueued);
    ~PlaybackPipeline();

    // Opens the decoders and starts the threads; false when the video cannot be decoded.
    bool Start(const PictureTarget& target);

    const MediaFile& File() const { return m_chain.File(); }
    bool HasSound() const { return m_output != nullptr; }

    void Seek(qint64 position);
    // Seeks, and once the picture there is shown the clock stands at that picture's start
    // rather than at `position`: a frame step lands on a frame.
    void SeekToFrameAt(qint64 position);
    void SetPlaying(bool playing);
    void SetRate(double rate);
    void SetGains(float left, float right);
    void SetTarget(const PictureTarget& target);

    // 100-ns units from 0 to the duration; the duration exactly once everything has played.
    qint64 Position();
    bool Finished() {
        Position();
        return m_finished;
    }
    // The picture asked for by the last seek has not been shown yet.
    bool SeekPending() const { return !m_prerolled; }
    // Waits at most `timeout` for the picture of the last seek to be decoded.
    void WaitForSeekPicture(std::chrono::milliseconds timeout) {
        m_chain.Pictures().WaitForPicture(m_serial, timeout);
    }
    // Counts the seeks; pictures carry the one they were decoded for.
    int Serial() const { return m_serial; }
    // The newest picture that is due, if any. `waitMs` gets the time until the next one is due,
    // -1 when only `pictureQueued` can tell.
    std::optional<VideoFrame> TakeDuePicture(int& waitMs);

private:
    bool SoundLeads();
    qint64 ClockPosition();
    qint64 Limit() const;
    void Anchor(qint64 position);
    void RestartSoundWatch();

    std::unique_ptr<AudioOutput> m_output;
    DecodeChain m_chain;

    // The clock, on the window's thread only.
    int m_serial = 1;
    qint64 m_seekTarget = 0;
    bool m_prerolled = false;
    bool m_clockToPicture = false;
    bool m_playing = false;
    bool m_finished = false;
    double m_rate = 1.0;
    qint64 m_anchorPosition = 0;
    QElapsedTimer m_anchorTime;
    qint64 m_lastPictureEnd = 0;
    qint64 m_lastPosition = 0;
    qint64 m_lastHeard = -1;
    QElapsedTimer m_heardMoved;
    bool m_soundStalled = false;
};
