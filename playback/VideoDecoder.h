#pragma once

#include "playback/FrameConverter.h"
#include "playback/PacketDecoder.h"
#include "playback/VideoFrameQueue.h"

#include <QSize>
#include <mutex>

struct AVCodecContext;
struct AVPacket;
class MediaFile;
class PacketQueue;

// How soon the pictures are wanted. Playing wants them at the recording's pace: one core is left
// to the conversion, the sound and the window, and a single decoding thread keeps far ahead of a
// camera's 1080p at 30 frames a second while frame threads would add a sixth to the work. An
// export wants them as fast as every core can make them.
enum class DecodePace { Playing, AsFastAsPossible };

// The video decoding thread: H.264 frames, converted for the window. After a seek it decodes
// from the key frame and delivers the frame shown at the target: the last one that starts at or
// before it.
class VideoDecoder {
public:
    VideoDecoder(const MediaFile& file, PacketQueue& packets, VideoFrameQueue& frames,
                 DecodePace pace);
    ~VideoDecoder();

    bool Open();
    void Start();
    void SetTarget(const PictureTarget& target);

private:
    void ChooseDiscard(AVCodecContext& codec, const AVPacket& packet);
    void TakeFrame(FramePtr frame);
    void Deliver(FramePtr frame, qint64 position, qint64 duration);

    const MediaFile& m_file;
    VideoFrameQueue& m_frames;
    const DecodePace m_pace;
    FrameConverter m_converter;

    std::mutex m_targetMutex;
    PictureTarget m_target;

    // Decoding state, on the thread only.
    int m_serial = 0;
    qint64 m_seekTarget = -1; // -1: deliver every frame
    FramePtr m_held;          // the best candidate so far for the seek target
    qint64 m_heldPosition = 0;
    qint64 m_heldDuration = 0;
    qint64 m_nextPosition = 0;
    qint64 m_frameDuration = 0;
    // The latest start among the packets sent since the seek that start at or before its target.
    qint64 m_latestSentBeforeTarget = -1;

    PacketDecoder m_decoder; // last: its thread goes before the state it uses
};
