#include "playback/MediaFile.h"

#include "common/LogCategories.h"
#include "common/NativePath.h"
#include "playback/CutMp4.h"
#include "playback/FfmpegLog.h"
#include "playback/MediaTime.h"
#include "playback/UnfinishedAvi.h"
#include "playback/UnfinishedMp4.h"

#include <QFile>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <variant>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

namespace {

constexpr AVRational UnitTimeBase{1, int(MediaTime::UnitsPerSecond)};
// A declared length may run past the last indexed packet by its own last frames' time, not more.
constexpr qint64 MaxOverIndex = MediaTime::UnitsPerSecond;
// What a camera can film at; a rate outside is a damaged header.
constexpr double MinFrameRate = 4;
constexpr double MaxFrameRate = 240;
constexpr int DefaultFrameRate = 30;

bool PlausibleRate(double rate) {
    return rate >= MinFrameRate && rate <= MaxFrameRate;
}

// A rate measured from the sound is off by a fraction of a packet: the usual rate near it is
// the one filmed at.
AVRational UsualRateNear(double measured) {
    static constexpr AVRational UsualRates[] = {
        {10, 1},       {12, 1}, {15, 1}, {20, 1},       {24000, 1001}, {24, 1}, {25, 1},
        {30000, 1001}, {30, 1}, {50, 1}, {60000, 1001}, {60, 1},       {120, 1}};
    constexpr double MaxDeviation = 0.015;
    AVRational nearest = av_d2q(measured, 100000);
    double nearestDeviation = MaxDeviation;
    for (const AVRational rate : UsualRates) {
        const double deviation = std::abs(measured / av_q2d(rate) - 1.0);
        if (deviation < nearestDeviation) {
            nearest = rate;
            nearestDeviation = deviation;
        }
    }
    return nearest;
}

} // namespace

const char* DemuxerForPath(const QString& path) {
    return path.right(3).toUpper() == QLatin1String("MP4") ? "mp4" : "avi";
}

// A power-cut recording as the demuxer reads it: an AVI's complete chunks with a rebuilt index,
// an MP4's whole samples with a rebuilt moov.
struct RepairedView {
    QFile file;
    std::variant<AviRepair, Mp4Repair> repair;
    qint64 position = 0;
    const MediaFile* owner = nullptr;

    static int Read(void* self, uint8_t* data, int size);
    static int64_t Seek(void* self, int64_t offset, int whence);
};

int RepairedView::Read(void* self, uint8_t* data, int size) {
    auto* view = static_cast<RepairedView*>(self);
    if (view->owner->Interrupted())
        return AVERROR_EXIT;
    const qint64 read = std::visit(
        [&](const auto& repair) {
            return repair.Read(view->file, view->position, reinterpret_cast<char*>(data), size);
        },
        view->repair);
    if (read < 0)
        return AVERROR(EIO);
    if (read == 0)
        return AVERROR_EOF;
    view->position += read;
    return int(read);
}

int64_t RepairedView::Seek(void* self, int64_t offset, int whence) {
    auto* view = static_cast<RepairedView*>(self);
    const qint64 size = std::visit([](const auto& repair) { return repair.Size(); }, view->repair);
    switch (whence & ~AVSEEK_FORCE) {
    case AVSEEK_SIZE:
        return size;
    case SEEK_SET:
        break;
    case SEEK_CUR:
        offset += view->position;
        break;
    case SEEK_END:
        offset += size;
        break;
    default:
        return AVERROR(EINVAL);
    }
    if (offset < 0)
        return AVERROR(EINVAL);
    view->position = offset;
    return offset;
}

int MediaFile::InterruptCallback(void* self) {
    return static_cast<MediaFile*>(self)->Interrupted() ? 1 : 0;
}

bool MediaFile::Interrupted() const {
    return m_interrupted || (m_cancel && *m_cancel);
}

std::unique_ptr<MediaFile> MediaFile::Open(const QString& path, QString& error,
                                           const std::atomic<bool>* cancel) {
    RouteFfmpegLog();
    std::unique_ptr<MediaFile> file(new MediaFile);
    file->m_cancel = cancel;
    error = file->OpenInput(path);
    if (error.isEmpty())
        error = file->FindStreams();
    file->m_cancel = nullptr;
    if (!error.isEmpty())
        return nullptr;
    if (file->Repaired() && std::holds_alternative<AviRepair>(file->m_view->repair))
        qCInfo(lcPlayback, "%s: no index or unfinished headers; read through a rebuilt index",
               qUtf8Printable(path));
    if (!file->m_info.repairNote.isEmpty())
        qCInfo(lcPlayback, "%s: %s", qUtf8Printable(path), qUtf8Printable(file->m_info.repairNote));
    return file;
}

QString MediaFile::OpenInput(const QString& path) {
    const char* demuxer = DemuxerForPath(path);
    QFile source;
    if (OpenNativeForReading(source, path, QIODevice::Unbuffered)) {
        if (source.size() == 0)
            return QStringLiteral("the file is empty");
        if (qstrcmp(demuxer, "avi") == 0) {
            const std::atomic<bool> never = false;
            AviCheck check = CheckAvi(source, m_cancel ? *m_cancel : never);
            if (!check.error.isEmpty())
                return check.error;
            if (check.repair) {
                m_view = std::make_unique<RepairedView>();
                m_view->repair = std::move(*check.repair);
            }
        } else if (const QString unfinished = UnfinishedMp4Reason(source); !unfinished.isEmpty()) {
            if (const QString error = RepairMp4(source, path, unfinished); !error.isEmpty())
                return error;
        }
        if (m_view) {
            m_view->owner = this;
            if (!OpenNativeForReading(m_view->file, path, QIODevice::Unbuffered))
                return QString::fromLocal8Bit(std::strerror(errno));
        }
    }
    m_format = avformat_alloc_context();
    if (!m_format)
        return FfmpegErrorText(AVERROR(ENOMEM));
    m_format->interrupt_callback = {&MediaFile::InterruptCallback, this};
    if (m_view) {
        constexpr int BufferSize = 64 * 1024;
        auto* buffer = static_cast<unsigned char*>(av_malloc(BufferSize));
        m_io = buffer ? avio_alloc_context(buffer, BufferSize, 0, m_view.get(), &RepairedView::Read,
                                           nullptr, &RepairedView::Seek)
                      : nullptr;
        if (!m_io) {
            av_free(buffer);
            return FfmpegErrorText(AVERROR(ENOMEM));
        }
        m_format->pb = m_io;
        m_format->flags |= AVFMT_FLAG_CUSTOM_IO;
    }
    // Only local files: a crafted file must not make the demuxer open other protocols.
    AVDictionary* options = nullptr;
    av_dict_set(&options, "protocol_whitelist", "file", 0);
    // The "file:" prefix keeps a colon in a folder name from being read as a protocol.
    const QByteArray url = "file:" + NativePath(path);
    const int opened =
        avformat_open_input(&m_format, url.constData(), av_find_input_format(demuxer), &options);
    av_dict_free(&options);
    if (opened >= 0)
        return {};
    m_format = nullptr; // freed by avformat_open_input
    if (opened == AVERROR_EXIT)
        return QStringLiteral("cancelled");
    return QStringLiteral("cannot read it as %1: %2")
        .arg(QString::fromLatin1(demuxer).toUpper(), FfmpegErrorText(opened));
}

QString MediaFile::RepairMp4(QFile& source, const QString& path, const QString& unfinished) {
    const std::atomic<bool> never = false;
    Mp4RepairCheck check = RepairCutMp4(source, path, m_cancel ? *m_cancel : never);
    if (!check.repair)
        return Interrupted() ? QStringLiteral("cancelled")
                             : unfinished + QStringLiteral(", and ") + check.error;
    m_info.repairNote = QStringLiteral("the camera did not finish it; rebuilt with the setup of "
                                       "%1: %2")
                            .arg(check.repair->referencePath, check.repair->Summary());
    m_view = std::make_unique<RepairedView>();
    m_view->repair = std::move(*check.repair);
    return {};
}

QString MediaFile::FindStreams() {
    const int found = avformat_find_stream_info(m_format, nullptr);
    if (found < 0)
        return QStringLiteral("cannot find its streams: %1").arg(FfmpegErrorText(found));

    AVFormatContext* format = m_format;
    const int videoIndex = av_find_best_stream(format, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    if (videoIndex < 0 || format->streams[videoIndex]->codecpar->codec_id != AV_CODEC_ID_H264)
        return QStringLiteral("no H.264 video stream");
    const AVCodecParameters* video = format->streams[videoIndex]->codecpar;
    if (video->width <= 0 || video->height <= 0)
        return QStringLiteral("no picture size in the H.264 video stream");
    m_video = format->streams[videoIndex];

    const int audioIndex =
        av_find_best_stream(format, AVMEDIA_TYPE_AUDIO, -1, videoIndex, nullptr, 0);
    if (audioIndex >= 0) {
        const AVCodecParameters* audio = format->streams[audioIndex]->codecpar;
        if (avcodec_find_decoder(audio->codec_id) && audio->sample_rate > 0 &&
            audio->ch_layout.nb_channels > 0) {
            m_audio = format->streams[audioIndex];
            m_info.audio = AudioInfo{QString::fromLatin1(avcodec_get_name(audio->codec_id)),
                                     audio->sample_rate, audio->ch_layout.nb_channels};
        }
    }
    const AVRational rate = VideoRate();
    m_info.video = {video->width, video->height,
                    QString::fromLatin1(avcodec_get_name(video->codec_id)),
                    rate.num > 0 && rate.den > 0 ? av_q2d(rate) : 0.0};
    for (unsigned i = 0; i < format->nb_streams; ++i)
        if (format->streams[i] != m_video && format->streams[i] != m_audio)
            format->streams[i]->discard = AVDISCARD_ALL;

    if (format->start_time != AV_NOPTS_VALUE)
        m_startTime = av_rescale_q(format->start_time, AV_TIME_BASE_Q, UnitTimeBase);
    if (format->duration != AV_NOPTS_VALUE && format->duration > 0)
        m_duration = av_rescale_q(format->duration, AV_TIME_BASE_Q, UnitTimeBase);
    else if (m_video->duration != AV_NOPTS_VALUE && m_video->duration > 0)
        m_duration = av_rescale_q(m_video->duration, m_video->time_base, UnitTimeBase);
    // A damaged header may declare hours for seconds of pictures: the index knows better.
    if (const qint64 indexed = IndexedEnd(); indexed > 0 && m_duration > indexed + MaxOverIndex)
        m_duration = indexed;
    return {};
}

AVRational MediaFile::VideoRate() {
    const AVRational declared = av_guess_frame_rate(m_format, m_video, nullptr);
    if (declared.num <= 0 || declared.den <= 0 || PlausibleRate(av_q2d(declared)))
        return declared;
    // A damaged stream header: the pictures' clock is set again from the sound's length, which
    // the same damage rarely reaches, or else from the rate most cameras film at.
    const int pictures = avformat_index_get_entries_count(m_video);
    const qint64 soundLength = IndexedSoundLength();
    const AVRational measured =
        pictures > 1 && soundLength > 0
            ? UsualRateNear(pictures * double(MediaTime::UnitsPerSecond) / double(soundLength))
            : AVRational{0, 1};
    const AVRational corrected = measured.num > 0 && PlausibleRate(av_q2d(measured))
                                     ? measured
                                     : AVRational{DefaultFrameRate, 1};
    // Timestamps count pictures in the old unit: only the unit changes.
    m_video->time_base = av_mul_q(m_video->time_base, av_div_q(declared, corrected));
    m_video->r_frame_rate = m_video->avg_frame_rate = corrected;
    m_format->duration = AV_NOPTS_VALUE; // counted with the wrong clock
    qCInfo(lcPlayback, "the video declares %.4g pictures a second; played at %.4g",
           av_q2d(declared), av_q2d(corrected));
    return corrected;
}

qint64 MediaFile::IndexedEnd() const {
    // The pictures only: a container's sound index may count in bytes rather than in time.
    const int count = avformat_index_get_entries_count(m_video);
    const AVIndexEntry* last = count > 0 ? avformat_index_get_entry(m_video, count - 1) : nullptr;
    if (!last || last->timestamp == AV_NOPTS_VALUE)
        return 0;
    // With B-frames the index counts decoding times: the last pictures are shown up to the
    // reorder delay later.
    return PositionOf(m_video, last->timestamp, 0) + FrameSpan() + ReorderDelay();
}

qint64 MediaFile::IndexedSoundLength() const {
    const qint64 bitRate = m_audio ? m_audio->codecpar->bit_rate : 0;
    if (bitRate <= 0)
        return 0;
    qint64 bytes = 0;
    const int count = avformat_index_get_entries_count(m_audio);
    for (int i = 0; i < count; ++i)
        bytes += avformat_index_get_entry(m_audio, i)->size;
    return bytes * 8 * MediaTime::UnitsPerSecond / bitRate;
}

qint64 MediaFile::FrameSpan() const {
    return m_info.video.frameRate > 0 ? qint64(MediaTime::UnitsPerSecond / m_info.video.frameRate)
                                      : MediaTime::UnitsPerSecond;
}

MediaFile::~MediaFile() {
    avformat_close_input(&m_format);
    if (m_io) {
        av_freep(&m_io->buffer);
        avio_context_free(&m_io);
    }
}

qint64 MediaFile::PositionOf(const AVStream* stream, qint64 timestamp, qint64 fallback) const {
    if (timestamp == AV_NOPTS_VALUE)
        return fallback;
    return av_rescale_q(timestamp, stream->time_base, UnitTimeBase) - m_startTime;
}

qint64 MediaFile::ReorderDelay() const {
    return VideoStream()->codecpar->video_delay * FrameSpan();
}

qint64 MediaFile::TimestampOf(const AVStream* stream, qint64 position) const {
    // Down, so that a seek between two frames finds the key frame before the earlier one.
    return av_rescale_q_rnd(position + m_startTime, UnitTimeBase, stream->time_base, AV_ROUND_DOWN);
}
