#include "incident/ClipEncoder.h"

#include "incident/OverlayBlend.h"
#include "playback/FfmpegLog.h"
#include "playback/MediaTime.h"
#include "playback/PcmQueue.h"

#include <cmath>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/audio_fifo.h>
#include <libavutil/opt.h>
#include <libswresample/swresample.h>
#include <libswscale/swscale.h>
}

namespace {

constexpr AVRational VideoTimeBase{1, 90000};
constexpr int AudioBitRate = 128000;
constexpr int PictureQuality = 20; // x264's constant rate factor: clear text, modest size

QString Failed(const char* step, int code) {
    return QStringLiteral("%1 failed: %2").arg(QLatin1String(step), FfmpegErrorText(code));
}

} // namespace

ClipEncoder::~ClipEncoder() {
    if (m_format && !(m_format->oformat->flags & AVFMT_NOFILE))
        avio_closep(&m_format->pb);
    avformat_free_context(m_format);
    avcodec_free_context(&m_video);
    avcodec_free_context(&m_audio);
    sws_freeContext(m_scaler);
    swr_free(&m_resampler);
    if (m_fifo)
        av_audio_fifo_free(m_fifo);
    av_frame_free(&m_picture);
    av_frame_free(&m_sound);
}

QString ClipEncoder::Open(const QString& path, QSize size, double framesPerSecond) {
    RouteFfmpegLog();
    m_path = path;
    const QByteArray name = path.toUtf8();
    int code = avformat_alloc_output_context2(&m_format, nullptr, "mp4", name.constData());
    if (code < 0)
        return Failed("the MP4 writer", code);
    if (QString error = OpenVideo(size, framesPerSecond); !error.isEmpty())
        return error;
    if (QString error = OpenAudio(); !error.isEmpty())
        return error;
    if ((code = avio_open(&m_format->pb, name.constData(), AVIO_FLAG_WRITE)) < 0)
        return QStringLiteral("cannot write %1: %2").arg(path, FfmpegErrorText(code));
    if ((code = avformat_write_header(m_format, nullptr)) < 0)
        return Failed("writing the MP4 header", code);
    return {};
}

QString ClipEncoder::OpenVideo(QSize size, double framesPerSecond) {
    const AVCodec* codec = avcodec_find_encoder_by_name("libx264");
    if (!codec)
        return QStringLiteral("this FFmpeg has no libx264 encoder");
    m_video = avcodec_alloc_context3(codec);
    m_video->width = size.width();
    m_video->height = size.height();
    m_video->pix_fmt = AV_PIX_FMT_YUV420P;
    m_video->time_base = VideoTimeBase;
    m_video->framerate = av_d2q(framesPerSecond > 0 ? framesPerSecond : 30, 1000);
    m_video->gop_size = int(std::lround(av_q2d(m_video->framerate))) * 2;
    if (m_format->oformat->flags & AVFMT_GLOBALHEADER)
        m_video->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    m_video->thread_count = 0; // one per core, as the ffmpeg tool does
    av_opt_set(m_video->priv_data, "preset", Preset, 0);
    av_opt_set_int(m_video->priv_data, "crf", PictureQuality, 0);
    if (int code = avcodec_open2(m_video, codec, nullptr); code < 0)
        return Failed("opening libx264", code);
    m_videoStream = avformat_new_stream(m_format, nullptr);
    avcodec_parameters_from_context(m_videoStream->codecpar, m_video);
    m_videoStream->time_base = VideoTimeBase;
    m_picture = av_frame_alloc();
    m_picture->format = m_video->pix_fmt;
    m_picture->width = size.width();
    m_picture->height = size.height();
    if (int code = av_frame_get_buffer(m_picture, 0); code < 0)
        return Failed("a picture buffer", code);
    return {};
}

QString ClipEncoder::OpenAudio() {
    const AVCodec* codec = avcodec_find_encoder(AV_CODEC_ID_AAC);
    if (!codec)
        return QStringLiteral("this FFmpeg has no AAC encoder");
    m_audio = avcodec_alloc_context3(codec);
    m_audio->sample_fmt = AV_SAMPLE_FMT_FLTP;
    m_audio->sample_rate = PcmQueue::SampleRate;
    av_channel_layout_default(&m_audio->ch_layout, PcmQueue::Channels);
    m_audio->bit_rate = AudioBitRate;
    m_audio->time_base = {1, PcmQueue::SampleRate};
    if (m_format->oformat->flags & AVFMT_GLOBALHEADER)
        m_audio->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    if (int code = avcodec_open2(m_audio, codec, nullptr); code < 0)
        return Failed("opening the AAC encoder", code);
    m_audioStream = avformat_new_stream(m_format, nullptr);
    avcodec_parameters_from_context(m_audioStream->codecpar, m_audio);
    m_audioStream->time_base = m_audio->time_base;
    if (swr_alloc_set_opts2(&m_resampler, &m_audio->ch_layout, AV_SAMPLE_FMT_FLTP,
                            PcmQueue::SampleRate, &m_audio->ch_layout, AV_SAMPLE_FMT_S16,
                            PcmQueue::SampleRate, 0, nullptr) < 0 ||
        swr_init(m_resampler) < 0)
        return QStringLiteral("cannot convert sound for the encoder");
    m_fifo = av_audio_fifo_alloc(AV_SAMPLE_FMT_FLTP, PcmQueue::Channels, m_audio->frame_size);
    m_sound = av_frame_alloc();
    m_sound->format = AV_SAMPLE_FMT_FLTP;
    m_sound->nb_samples = m_audio->frame_size;
    m_sound->sample_rate = PcmQueue::SampleRate;
    av_channel_layout_copy(&m_sound->ch_layout, &m_audio->ch_layout);
    if (int code = av_frame_get_buffer(m_sound, 0); code < 0)
        return Failed("a sound buffer", code);
    return {};
}

QString ClipEncoder::Fit(const AVFrame& decoded) {
    if (decoded.width == m_picture->width && decoded.height == m_picture->height &&
        decoded.format == m_picture->format)
        return av_frame_copy(m_picture, &decoded) < 0 ? QStringLiteral("cannot copy a picture")
                                                      : QString();
    m_scaler = sws_getCachedContext(
        m_scaler, decoded.width, decoded.height, AVPixelFormat(decoded.format), m_picture->width,
        m_picture->height, AV_PIX_FMT_YUV420P, SWS_BICUBIC, nullptr, nullptr, nullptr);
    if (!m_scaler)
        return QStringLiteral("cannot convert a picture of %1 x %2 for the encoder")
            .arg(decoded.width)
            .arg(decoded.height);
    sws_scale(m_scaler, decoded.data, decoded.linesize, 0, decoded.height, m_picture->data,
              m_picture->linesize);
    return {};
}

QString ClipEncoder::AddPicture(const AVFrame& decoded, const QImage& overlay, qint64 clipUnits) {
    if (int code = av_frame_make_writable(m_picture); code < 0)
        return Failed("a picture buffer", code);
    if (QString error = Fit(decoded); !error.isEmpty())
        return error;
    BlendOverlay(*m_picture, overlay);
    // Two pictures never share a time, or the muxer would refuse the second.
    m_lastPts = std::max<qint64>(
        m_lastPts + 1, av_rescale_q(clipUnits, {1, int(MediaTime::UnitsPerSecond)}, VideoTimeBase));
    m_picture->pts = m_lastPts;
    return Send(m_video, m_videoStream, m_picture);
}

QString ClipEncoder::AddSound(const qint16* samples, int frames) {
    if (frames <= 0)
        return {};
    const int room = swr_get_out_samples(m_resampler, frames);
    uint8_t* planes[PcmQueue::Channels] = {};
    if (av_samples_alloc(planes, nullptr, PcmQueue::Channels, room, AV_SAMPLE_FMT_FLTP, 0) < 0)
        return QStringLiteral("out of memory for sound");
    const uint8_t* input[] = {reinterpret_cast<const uint8_t*>(samples)};
    const int converted = swr_convert(m_resampler, planes, room, input, frames);
    const bool stored =
        converted >= 0 &&
        av_audio_fifo_write(m_fifo, reinterpret_cast<void**>(planes), converted) == converted;
    av_freep(&planes[0]);
    if (!stored)
        return QStringLiteral("cannot convert sound for the encoder");
    return EncodeSoundFrames(false);
}

QString ClipEncoder::EncodeSoundFrames(bool flush) {
    while (av_audio_fifo_size(m_fifo) >= m_audio->frame_size ||
           (flush && av_audio_fifo_size(m_fifo) > 0)) {
        if (int code = av_frame_make_writable(m_sound); code < 0)
            return Failed("a sound buffer", code);
        const int frames = std::min(av_audio_fifo_size(m_fifo), m_audio->frame_size);
        m_sound->nb_samples = frames;
        av_audio_fifo_read(m_fifo, reinterpret_cast<void**>(m_sound->data), frames);
        m_sound->pts = m_soundPts;
        m_soundPts += frames;
        if (QString error = Send(m_audio, m_audioStream, m_sound); !error.isEmpty())
            return error;
    }
    return {};
}

QString ClipEncoder::Send(AVCodecContext* codec, AVStream* stream, const AVFrame* frame) {
    int code = avcodec_send_frame(codec, frame);
    if (code < 0)
        return Failed("encoding", code);
    AVPacket* packet = av_packet_alloc();
    while ((code = avcodec_receive_packet(codec, packet)) >= 0) {
        // Without a duration the muxer's edit list would cut the last picture off.
        if (packet->duration <= 0 && codec == m_video)
            packet->duration = av_rescale_q(1, av_inv_q(m_video->framerate), codec->time_base);
        av_packet_rescale_ts(packet, codec->time_base, stream->time_base);
        packet->stream_index = stream->index;
        if ((code = av_interleaved_write_frame(m_format, packet)) < 0)
            break;
    }
    av_packet_free(&packet);
    if (code == AVERROR(EAGAIN) || code == AVERROR_EOF)
        return {};
    return QStringLiteral("cannot write %1: %2").arg(m_path, FfmpegErrorText(code));
}

QString ClipEncoder::Finish() {
    if (QString error = EncodeSoundFrames(true); !error.isEmpty())
        return error;
    if (QString error = Send(m_video, m_videoStream, nullptr); !error.isEmpty())
        return error;
    if (QString error = Send(m_audio, m_audioStream, nullptr); !error.isEmpty())
        return error;
    if (int code = av_write_trailer(m_format); code < 0)
        return QStringLiteral("cannot complete %1: %2").arg(m_path, FfmpegErrorText(code));
    if (int code = avio_closep(&m_format->pb); code < 0)
        return QStringLiteral("cannot write %1: %2").arg(m_path, FfmpegErrorText(code));
    return {};
}
