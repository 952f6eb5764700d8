#pragma once

#include "playback/PacketQueue.h"
#include "playback/PcmQueue.h"
#include "playback/VideoFrameQueue.h"

#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

class AudioDecoder;
class MediaFile;
class MediaReader;
class VideoDecoder;

// The player's own reading and decoding threads, run as fast as they go: the pictures of one
// recording from a position on, as decoded (VideoFrame::source; no converted picture), with its
// sound resampled to PcmQueue's format from exactly that position. A recording without sound
// gives none.
class RecordingFrames {
public:
    explicit RecordingFrames(std::unique_ptr<MediaFile> file);
    ~RecordingFrames();
    RecordingFrames(const RecordingFrames&) = delete;
    RecordingFrames& operator=(const RecordingFrames&) = delete;

    // False when the video cannot be decoded.
    bool Start(qint64 position);
    bool HasSound() const { return m_audioDecoder != nullptr; }

    // The next picture, or nullopt once every picture has been delivered.
    std::optional<VideoFrame> NextPicture();
    // Moves the sound decoded so far into `samples` (interleaved), after waiting until it holds
    // at least `wantedFrames` frames or the sound has ended.
    void TakeSound(std::vector<qint16>& samples, qint64 wantedFrames = 0);

private:
    void Arrived();
    void DrainSound();
    void Wait();

    static constexpr int Serial = 1;

    std::unique_ptr<MediaFile> m_file;
    std::mutex m_mutex;
    std::condition_variable m_arrived;
    PacketQueue m_videoPackets;
    PacketQueue m_audioPackets;
    VideoFrameQueue m_frames;
    PcmQueue m_pcm;
    std::unique_ptr<VideoDecoder> m_videoDecoder;
    std::unique_ptr<AudioDecoder> m_audioDecoder;
    std::unique_ptr<MediaReader> m_reader;
    std::vector<qint16> m_sound; // read from the queue, not yet taken
};
