#include "playback/MediaFile.h"

#include "playback/MediaTime.h"

#include <QFile>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

namespace {

constexpr AVRational UnitTimeBase{1, int(MediaTime::UnitsPerSecond)};

} // namespace

const char* DemuxerForPath(const QString& path) {
    return path.right(3).toUpper() == QLatin1String("MP4") ? "mp4" : "avi";
}

int MediaFile::InterruptCallback(void* self) {
    return static_cast<MediaFile*>(self)->m_interrupted ? 1 : 0;
}

std::unique_ptr<MediaFile> MediaFile::Open(const QString& path) {
    // Damaged recordings are normal on a dashcam's card; FFmpeg's complaints help nobody here.
    av_log_set_level(AV_LOG_QUIET);
    std::unique_ptr<MediaFile> file(new MediaFile);
    file->m_format = avformat_alloc_context();
    if (!file->m_format)
        return nullptr;
    file->m_format->interrupt_callback = {&MediaFile::InterruptCallback, file.get()};
    // Only local files: a crafted file must not make the demuxer open other protocols.
    AVDictionary* options = nullptr;
    av_dict_set(&options, "protocol_whitelist", "file", 0);
    // The "file:" prefix keeps a colon in a folder name from being read as a protocol.
    const QByteArray url = "file:" + QFile::encodeName(path);
    const int opened = avformat_open_input(&file->m_format, url.constData(),
                                           av_find_input_format(DemuxerForPath(path)), &options);
    av_dict_free(&options);
    if (opened < 0) {
        file->m_format = nullptr; // freed by avformat_open_input
        return nullptr;
    }
    if (avformat_find_stream_info(file->m_format, nullptr) < 0)
        return nullptr;

    AVFormatContext* format = file->m_format;
    const int videoIndex = av_find_best_stream(format, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    if (videoIndex < 0 || format->streams[videoIndex]->codecpar->codec_id != AV_CODEC_ID_H264)
        return nullptr;
    const AVCodecParameters* video = format->streams[videoIndex]->codecpar;
    if (video->width <= 0 || video->height <= 0)
        return nullptr;
    file->m_video = format->streams[videoIndex];
    const AVRational rate = av_guess_frame_rate(format, file->m_video, nullptr);
    file->m_info.video = {video->width, video->height,
                          QString::fromLatin1(avcodec_get_name(video->codec_id)),
                          rate.num > 0 && rate.den > 0 ? av_q2d(rate) : 0.0};

    const int audioIndex =
        av_find_best_stream(format, AVMEDIA_TYPE_AUDIO, -1, videoIndex, nullptr, 0);
    if (audioIndex >= 0) {
        const AVCodecParameters* audio = format->streams[audioIndex]->codecpar;
        if (avcodec_find_decoder(audio->codec_id) && audio->sample_rate > 0 &&
            audio->ch_layout.nb_channels > 0) {
            file->m_audio = format->streams[audioIndex];
            file->m_info.audio = AudioInfo{QString::fromLatin1(avcodec_get_name(audio->codec_id)),
                                           audio->sample_rate, audio->ch_layout.nb_channels};
        }
    }
    for (unsigned i = 0; i < format->nb_streams; ++i)
        if (format->streams[i] != file->m_video && format->streams[i] != file->m_audio)
            format->streams[i]->discard = AVDISCARD_ALL;

    if (format->start_time != AV_NOPTS_VALUE)
        file->m_startTime = av_rescale_q(format->start_time, AV_TIME_BASE_Q, UnitTimeBase);
    if (format->duration != AV_NOPTS_VALUE && format->duration > 0)
        file->m_duration = av_rescale_q(format->duration, AV_TIME_BASE_Q, UnitTimeBase);
    else if (file->m_video->duration != AV_NOPTS_VALUE && file->m_video->duration > 0)
        file->m_duration =
            av_rescale_q(file->m_video->duration, file->m_video->time_base, UnitTimeBase);
    return file;
}

MediaFile::~MediaFile() {
    avformat_close_input(&m_format);
}

qint64 MediaFile::PositionOf(const AVStream* stream, qint64 timestamp, qint64 fallback) const {
    if (timestamp == AV_NOPTS_VALUE)
        return fallback;
    return av_rescale_q(timestamp, stream->time_base, UnitTimeBase) - m_startTime;
}

qint64 MediaFile::TimestampOf(const AVStream* stream, qint64 position) const {
    // Down, so that a seek between two frames finds the key frame before the earlier one.
    return av_rescale_q_rnd(position + m_startTime, UnitTimeBase, stream->time_base, AV_ROUND_DOWN);
}
