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
    : file_(file), packets_(packets), frames_(frames) {
    const MediaInfo& info = file.Info();
    frameDuration_ = info.video.frameRate > 0
                         ? qint64(MediaTime::UnitsPerSecond / info.video.frameRate)
                         : FallbackFrameDuration;
}

VideoDecoder::~VideoDecoder() {
    if (thread_.joinable())
        thread_.join();
    avcodec_free_context(&codec_);
}

bool VideoDecoder::Open() {
    const AVCodec* decoder = avcodec_find_decoder(AV_CODEC_ID_H264);
    if (!decoder)
        return false;
    codec_ = avcodec_alloc_context3(decoder);
    if (!codec_ || avcodec_parameters_to_context(codec_, file_.VideoStream()->codecpar) < 0)
        return false;
    codec_->pkt_timebase = file_.VideoStream()->time_base;
    codec_->thread_count = 0; // one per core
    codec_->thread_type = FF_THREAD_FRAME;
    return avcodec_open2(codec_, decoder, nullptr) >= 0;
}

void VideoDecoder::Start() {
    thread_ = std::thread(&VideoDecoder::Run, this);
}

void VideoDecoder::SetTarget(const PictureTarget& target) {
    std::lock_guard lock(targetMutex_);
    target_ = target;
}

void VideoDecoder::Run() {
    PacketQueue::Item item;
    while (packets_.Pop(item)) {
        if (item.serial != serial_) {
            if (serial_ != 0)
                avcodec_flush_buffers(codec_);
            serial_ = item.serial;
            seekTarget_ = item.seekTarget;
            nextPosition_ = item.seekTarget;
            held_.reset();
        }
        if (!item.packet) {
            Decode(nullptr);
            if (held_) // the target lies beyond the last frame: show the last one
                Deliver(std::move(held_), heldPosition_, heldDuration_);
            frames_.EndOfStream(serial_);
            continue;
        }
        Decode(item.packet);
        av_packet_free(&item.packet);
    }
}

void VideoDecoder::Decode(const AVPacket* packet) {
    // A damaged packet is skipped: the decoder finds its feet at the next key frame.
    int sent = avcodec_send_packet(codec_, packet);
    for (;;) {
        FramePtr frame(av_frame_alloc());
        if (!frame)
            return;
        const int received = avcodec_receive_frame(codec_, frame.get());
        if (received == AVERROR(EAGAIN) && sent == AVERROR(EAGAIN)) {
            sent = avcodec_send_packet(codec_, packet);
            continue;
        }
        if (received < 0)
            return;
        TakeFrame(std::move(frame));
    }
}

void VideoDecoder::TakeFrame(FramePtr frame) {
    const AVStream* stream = file_.VideoStream();
    const qint64 position = file_.PositionOf(stream, frame->best_effort_timestamp, nextPosition_);
    qint64 duration = frame->pkt_duration > 0 ? av_rescale_q(frame->pkt_duration, stream->time_base,
                                                             {1, int(MediaTime::UnitsPerSecond)})
                                              : 0;
    if (duration <= 0)
        duration = frameDuration_;
    nextPosition_ = position + duration;
    if (seekTarget_ >= 0) {
        if (position + duration <= seekTarget_) {
            held_ = std::move(frame);
            heldPosition_ = position;
            heldDuration_ = duration;
            return;
        }
        // The first frame reaching past the target: if it starts after it, the one before is
        // the frame shown at the target.
        if (position > seekTarget_ && held_)
            Deliver(std::move(held_), heldPosition_, heldDuration_);
        held_.reset();
        seekTarget_ = -1;
    }
    Deliver(std::move(frame), position, duration);
}

void VideoDecoder::Deliver(FramePtr frame, qint64 position, qint64 duration) {
    PictureTarget target;
    {
        std::lock_guard lock(targetMutex_);
        target = target_;
    }
    VideoFrame picture;
    picture.picture = converter_.Convert(frame.get(), target.size, target.look);
    picture.source = Share(std::move(frame));
    picture.position = position;
    picture.duration = duration;
    picture.serial = serial_;
    picture.lookVersion = target.version;
    frames_.Push(std::move(picture));
}
