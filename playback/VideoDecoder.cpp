#include "playback/VideoDecoder.h"

#include "playback/MediaFile.h"
#include "playback/MediaTime.h"
#include "playback/PacketQueue.h"

#include <algorithm>
#include <thread>

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

VideoDecoder::VideoDecoder(const MediaFile& file, PacketQueue& packets, VideoFrameQueue& frames,
                           DecodePace pace)
    : m_file(file), m_frames(frames), m_pace(pace), m_decoder(packets) {
    const MediaInfo& info = file.Info();
    m_frameDuration = info.video.frameRate > 0
                          ? qint64(MediaTime::UnitsPerSecond / info.video.frameRate)
                          : FallbackFrameDuration;
}

VideoDecoder::~VideoDecoder() {
    m_decoder.Join();
}

bool VideoDecoder::Open() {
    // At most one per core: FFmpeg's own choice adds one more, which holds one more picture and
    // delays the first after a seek.
    const int cores = std::max(1, int(std::thread::hardware_concurrency()));
    const int threads = m_pace == DecodePace::Playing ? std::max(1, cores - 1) : cores;
    return m_decoder.Open(m_file.VideoStream(), avcodec_find_decoder(AV_CODEC_ID_H264),
                          [threads](AVCodecContext& codec) {
                              codec.thread_count = threads;
                              codec.thread_type = FF_THREAD_FRAME;
                          });
}

void VideoDecoder::Start() {
    m_decoder.Start(
        {[this](int serial, qint64 seekTarget) {
             m_serial = serial;
             m_seekTarget = seekTarget;
             m_nextPosition = seekTarget;
             m_latestSentBeforeTarget = -1;
             m_held.reset();
         },
         [this](FramePtr frame) { TakeFrame(std::move(frame)); },
         [this](int serial) {
             if (m_held) // the target lies beyond the last frame: show the last one
                 Deliver(std::move(m_held), m_heldPosition, m_heldDuration);
             m_frames.EndOfStream(serial);
         },
         [this](AVCodecContext& codec, const AVPacket& packet) { ChooseDiscard(codec, packet); }});
}

void VideoDecoder::ChooseDiscard(AVCodecContext& codec, const AVPacket& packet) {
    codec.skip_frame = AVDISCARD_DEFAULT;
    if (m_seekTarget < 0 || packet.pts == AV_NOPTS_VALUE)
        return;
    const qint64 start = m_file.PositionOf(m_file.VideoStream(), packet.pts, -1);
    if (start < 0 || start > m_seekTarget)
        return;
    // A packet already sent starts later but still at or before the target: this picture is not
    // the one shown, and if no other picture refers to it, it need not be decoded at all. Sent
    // packets only, so that a gap in the times never costs the right picture.
    if (start < m_latestSentBeforeTarget)
        codec.skip_frame = AVDISCARD_NONREF;
    else
        m_latestSentBeforeTarget = start;
}

void VideoDecoder::SetTarget(const PictureTarget& target) {
    std::lock_guard lock(m_targetMutex);
    m_target = target;
}

void VideoDecoder::TakeFrame(FramePtr frame) {
    const AVStream* stream = m_file.VideoStream();
    qint64 position = m_file.PositionOf(stream, frame->best_effort_timestamp, m_nextPosition);
    // Without presentation times (AVI) the best guess is the decoding time of the packet that
    // let the picture out, which runs as many frames ahead as the decoder holds back.
    if (frame->pts == AV_NOPTS_VALUE && frame->best_effort_timestamp != AV_NOPTS_VALUE)
        position -= m_decoder.Codec().has_b_frames * m_frameDuration;
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
