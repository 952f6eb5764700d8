#pragma once

#include "playback/AudioOutput.h"
#include "playback/PacketQueue.h"
#include "playback/PcmQueue.h"
#include "playback/VideoDecoder.h"
#include "playback/VideoFrameQueue.h"

#include <QElapsedTimer>
#include <chrono>
#include <memory>
#include <optional>

class AudioDecoder;
class MediaFile;
class MediaReader;

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
    // Waits for the first picture; false when the file ended without one or time ran out.
    bool WaitForFirstPicture(std::chrono::milliseconds timeout);

    const MediaFile& File() const { return *file_; }
    bool HasSound() const { return output_ != nullptr; }

    void Seek(qint64 position);
    void SetPlaying(bool playing);
    void SetRate(double rate);
    void SetGains(float left, float right);
    void SetTarget(const PictureTarget& target);

    // 100-ns units from 0 to the duration; the duration exactly once everything has played.
    qint64 Position();
    // The picture asked for by the last seek has not been shown yet.
    bool SeekPending() const { return !prerolled_; }
    // The newest picture that is due, if any. `waitMs` gets the time until the next one is due,
    // -1 when only `pictureQueued` can tell.
    std::optional<VideoFrame> TakeDuePicture(int& waitMs);

private:
    bool SoundLeads();
    qint64 ClockPosition();
    qint64 Limit() const;
    void Anchor(qint64 position);
    void RestartSoundWatch();

    std::unique_ptr<MediaFile> file_;
    std::unique_ptr<AudioOutput> output_;
    std::function<void()> pictureQueued_;
    PacketQueue videoPackets_;
    PacketQueue audioPackets_;
    VideoFrameQueue frames_;
    PcmQueue pcm_;
    std::unique_ptr<VideoDecoder> videoDecoder_;
    std::unique_ptr<AudioDecoder> audioDecoder_;
    std::unique_ptr<MediaReader> reader_;

    std::mutex arrivalMutex_;
    std::condition_variable arrived_;

    // The clock, on the window's thread only.
    int serial_ = 1;
    qint64 seekTarget_ = 0;
    bool prerolled_ = false;
    bool soundReleased_ = false;
    bool playing_ = false;
    bool finished_ = false;
    double rate_ = 1.0;
    qint64 anchorPosition_ = 0;
    QElapsedTimer anchorTime_;
    qint64 lastPictureEnd_ = 0;
    qint64 lastPosition_ = 0;
    qint64 lastHeard_ = -1;
    QElapsedTimer heardMoved_;
    bool soundStalled_ = false;
};
