#include "playback/VideoDecoder.h"

#include "playback/MediaFile.h"
#include "playback/MediaTime.h"
#include "playback/PacketQueue.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

namespace {

constexpr qint64 FallbackFrameDuration = MediaTime::UnitsPerSecond / 30;

std::shared_ptr<const AVFrame> Share(FramePtr frame) {
    return std::shared_ptr<const AVFrame>(frame.release(), [](const AVFrame* shared) {
        AVFrame* owned = const_cast<AVFrame*>(shared);
        av_frame_free(&owned);
    });
}

} // namespace

VideoDecoder::VideoDecoder(const MediaFile& file, PacketQueue& packets, VideoFrameQueue& frames)
    : m_file(file), m_packets(packets), m_frames(frames) {
    const MediaInfo& info = file.Info();
    m_frameDuration = info.video.frameRate > 0
                          ? qint64(MediaTime::UnitsPerSecond / info.video.frameRate)
                          : FallbackFrameDuration;
}

VideoDecoder::~VideoDecoder() {
    if (m_thread.joinable())
        m_thread.join();
    avcodec_free_context(&m_codec);
}

bool VideoDecoder::Open() {
    const AVCodec* decoder = avcodec_find_decoder(AV_CODEC_ID_H264);
    if (!decoder)
        return false;
    m_codec = avcodec_alloc_context3(decoder);
    if (!m_codec || avcodec_parameters_to_context(m_codec, m_file.VideoStream()->codecpar) < 0)
        return false;
    m_codec->pkt_timebase = m_file.VideoStream()->time_base;
    m_codec->thread_count = 0; // one per core
    m_codec->thread_type = FF_THREAD_FRAME;
    return avcodec_open2(m_codec, decoder, nullptr) >= 0;
}

void VideoDecoder::Start() {
    m_thread = std::thread(&VideoDecoder::Run, this);
}

void VideoDecoder::SetTarget(const PictureTarget& target) {
    std::lock_guard lock(m_targetMutex);
    m_target = target;
}

void VideoDecoder::Run() {
    PacketQueue::Item item;
    while (m_packets.Pop(item)) {
        if (item.serial != m_serial) {
            if (m_serial != 0)
                avcodec_flush_buffers(m_codec);
            m_serial = item.serial;
            m_seekTarget = item.seekTarget;
            m_nextPosition = item.seekTarget;
            m_held.reset();
        }
        if (!item.packet) {
            Decode(nullptr);
            if (m_held) // the target lies beyond the last frame: show the last one
                Deliver(std::move(m_held), m_heldPosition, m_heldDuration);
            m_frames.EndOfStream(m_serial);
            continue;
        }
        Decode(item.packet);
        av_packet_free(&item.packet);
    }
}

void VideoDecoder::Decode(const AVPacket* packet) {
    // A damaged packet is skipped: the decoder finds its feet at the next key frame.
    int sent = avcodec_send_packet(m_codec, packet);
    for (;;) {
        FramePtr frame(av_frame_alloc());
        if (!frame)
            return;
        const int received = avcodec_receive_frame(m_codec, frame.get());
        if (received == AVERROR(EAGAIN) && sent == AVERROR(EAGAIN)) {
            sent = avcodec_send_packet(m_codec, packet);
            continue;
        }
        if (received < 0)
            return;
        TakeFrame(std::move(frame));
    }
}

void VideoDecoder::TakeFrame(FramePtr frame) {
    const AVStream* stream = m_file.VideoStream();
    qint64 position = m_file.PositionOf(stream, frame->best_effort_timestamp, m_nextPosition);
    // Without presentation times (AVI) the best guess is the decoding time of the packet that
    // let the picture out, which runs as many frames ahead as the decoder holds back.
    if (frame->pts == AV_NOPTS_VALUE && frame->best_effort_timestamp != AV_NOPTS_VALUE)
        position -= m_codec->has_b_frames * m_frameDuration;
    qint64 duration = frame->pkt_duration > 0 ? av_rescale_q(frame->pkt_duration, stream->time_base,
                                                             {1, int(MediaTime::UnitsPerSecond)})
                                              : 0;
    if (duration <= 0)
        duration = m_frameDuration;
    m_nextPosition = position + duration;
    if (m_seekTarget >= 0) {
        if (position + duration <= m_seekTarget) {
            m_held = std::move(frame);
            m_heldPosition = position;
            m_heldDuration = duration;
            return;
        }
        // The first frame reaching past the target: if it starts after it, the one before is
        // the frame shown at the target.
        if (position > m_seekTarget && m_held)
            Deliver(std::move(m_held), m_heldPosition, m_heldDuration);
        m_held.reset();
        m_seekTarget = -1;
    }
    Deliver(std::move(frame), position, duration);
}

void VideoDecoder::Deliver(FramePtr frame, qint64 position, qint64 duration) {
    PictureTarget target;
    {
        std::lock_guard lock(m_targetMutex);
        target = m_target;
    }
    VideoFrame picture;
    picture.picture = m_converter.Convert(frame.get(), target.size, target.look);
    picture.source = Share(std::move(frame));
    picture.position = position;
    picture.duration = duration;
    picture.serial = m_serial;
    picture.lookVersion = target.version;
    m_frames.Push(std::move(picture));
}
