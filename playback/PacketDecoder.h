#pragma once

#include "playback/VideoFrameQueue.h"

#include <QtGlobal>
#include <functional>
#include <thread>

struct AVCodec;
struct AVCodecContext;
struct AVPacket;
struct AVStream;
class PacketQueue;

// One stream's decoding thread, the loop the sound and the pictures share: packets in, frames
// out. The first packet of a new serial (a seek) flushes the codec first, and the end of the
// stream drains what the codec still holds.
class PacketDecoder {
public:
    struct Events {
        // Before the first packet of a new serial; the seek's target, -1 for none.
        std::function<void(int serial, qint64 seekTarget)> seeked;
        std::function<void(FramePtr frame)> frame;
        // After the last frame of the serial's stream.
        std::function<void(int serial)> ended;
        // Optional: before each packet goes to the codec, to tune how it is decoded.
        std::function<void(AVCodecContext& codec, const AVPacket& packet)> sending;
    };

    explicit PacketDecoder(PacketQueue& packets);
    // Joins the thread: the queue is aborted by then.
    ~PacketDecoder();
    PacketDecoder(const PacketDecoder&) = delete;
    PacketDecoder& operator=(const PacketDecoder&) = delete;

    // Opens `decoder` for the stream's parameters; `tune` sets options before the open.
    bool Open(const AVStream* stream, const AVCodec* decoder,
              const std::function<void(AVCodecContext&)>& tune = {});
    void Start(Events events);
    // Waits for the thread, which ends once the queue is aborted: the events' owner calls it
    // before it lets go of what they use.
    void Join();
    // Valid after a successful Open; read it on the thread only.
    const AVCodecContext& Codec() const { return *m_codec; }

private:
    void Run();
    void Decode(const AVPacket* packet);

    PacketQueue& m_packets;
    AVCodecContext* m_codec = nullptr;
    Events m_events;
    std::thread m_thread;
    int m_serial = 0; // on the thread only
};
