#pragma once

#include "playback/FrameConverter.h"
#include "playback/VideoFrameQueue.h"

#include <QSize>
#include <mutex>
#include <thread>

struct AVCodecContext;
struct AVPacket;
class MediaFile;
class PacketQueue;

// The video decoding thread: H.264 frames, converted for the window. After a seek it decodes
// from the key frame and delivers the frame shown at the target: the last one that starts at or
// before it.
class VideoDecoder {
public:
    VideoDecoder(const MediaFile& file, PacketQueue& packets, VideoFrameQueue& frames);
    ~VideoDecoder();

    bool Open();
    void Start();
    void SetTarget(const PictureTarget& target);

private:
    void Run();
    void Decode(const AVPacket* packet);
    void TakeFrame(FramePtr frame);
    void Deliver(FramePtr frame, qint64 position, qint64 duration);

    const MediaFile& file_;
    PacketQueue& packets_;
    VideoFrameQueue& frames_;
    AVCodecContext* codec_ = nullptr;
    std::thread thread_;
    FrameConverter converter_;

    std::mutex targetMutex_;
    PictureTarget target_;

    // Decoding state, on the thread only.
    int serial_ = 0;
    qint64 seekTarget_ = -1; // -1: deliver every frame
    FramePtr held_;          // the best candidate so far for the seek target
    qint64 heldPosition_ = 0;
    qint64 heldDuration_ = 0;
    qint64 nextPosition_ = 0;
    qint64 frameDuration_ = 0;
};
