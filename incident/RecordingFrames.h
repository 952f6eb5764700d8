#pragma once

#include "playback/DecodeChain.h"

#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

// The player's own reading and decoding threads, run as fast as they go: the pictures of one
// recording from a position on, as decoded (VideoFrame::source; no converted picture), with its
// sound resampled to PcmQueue's format from exactly that position. A recording without sound
// gives none.
class RecordingFrames {
public:
    explicit RecordingFrames(std::unique_ptr<MediaFile> file);
    RecordingFrames(const RecordingFrames&) = delete;
    RecordingFrames& operator=(const RecordingFrames&) = delete;

    // False when the video cannot be decoded.
    bool Start(qint64 position);
    bool HasSound() const { return m_chain.HasSound(); }

    // The next picture, or nullopt once every picture has been delivered.
    std::optional<VideoFrame> NextPicture();
    // Moves the sound decoded so far into `samples` (interleaved), after waiting until it holds
    // at least `wantedFrames` frames or the sound has ended.
    void TakeSound(std::vector<qint16>& samples, qint64 wantedFrames = 0);

private:
    void Arrived();
    void DrainSound();
    void Wait();

    // The threads start at the file's start; the seek to the position goes under a serial of its
    // own, so that nothing read before it counts.
    static constexpr int StartSerial = 1;
    static constexpr int Serial = 2;

    std::mutex m_mutex;
    std::condition_variable m_arrived;
    DecodeChain m_chain;         // after what its threads call back into
    std::vector<qint16> m_sound; // read from the queue, not yet taken
};
