#pragma once

#include "playback/PacketQueue.h"
#include "playback/PcmQueue.h"
#include "playback/VideoDecoder.h"
#include "playback/VideoFrameQueue.h"

#include <functional>
#include <memory>

class AudioDecoder;
class MediaFile;
class MediaReader;

// The reading and decoding threads of one file and the queues between them: the reader fills
// the packet queues, the decoders turn them into pictures and sound.
class DecodeChain {
public:
    // `pictureQueued` is called on the video decoder's thread whenever a picture arrives.
    DecodeChain(std::unique_ptr<MediaFile> file, std::function<void()> pictureQueued);
    ~DecodeChain();
    DecodeChain(const DecodeChain&) = delete;
    DecodeChain& operator=(const DecodeChain&) = delete;

    // Opens the decoders, the sound's only when `withSound`; false when the video cannot be
    // decoded. Sound that cannot be decoded is left unread.
    bool Open(DecodePace pace, bool withSound);
    // Before Start: the sound is not wanted after all, it is neither decoded nor read.
    void DropSound();
    // Starts the threads, reading from the file's start with `serial`.
    void Start(int serial);
    // Empties every queue and reads on from `position` with `serial`.
    void Seek(int serial, qint64 position);
    // Stops the threads; the queues stay for whoever still reads them.
    void Stop();

    const MediaFile& File() const { return *m_file; }
    bool HasSound() const { return m_audioDecoder != nullptr; }
    VideoDecoder& Video() { return *m_videoDecoder; }
    VideoFrameQueue& Pictures() { return m_frames; }
    PcmQueue& Sound() { return m_pcm; }

private:
    void Flush(int serial, qint64 position);

    std::unique_ptr<MediaFile> m_file;
    PacketQueue m_videoPackets;
    PacketQueue m_audioPackets;
    VideoFrameQueue m_frames;
    PcmQueue m_pcm;
    std::unique_ptr<VideoDecoder> m_videoDecoder;
    std::unique_ptr<AudioDecoder> m_audioDecoder;
    std::unique_ptr<MediaReader> m_reader;
};
