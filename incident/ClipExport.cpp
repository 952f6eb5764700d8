#include "incident/ClipExport.h"

#include "incident/ClipEncoder.h"
#include "incident/RecordingFrames.h"
#include "playback/FrameConverter.h"
#include "playback/MediaFile.h"
#include "playback/MediaTime.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>

namespace {

constexpr int Stills = 4;
constexpr qint64 SoundFramesPerMs = PcmQueue::SampleRate / 1000;

qint64 ClipLengthMs(const QList<SpanRecording>& recordings) {
    qint64 total = 0;
    for (const SpanRecording& recording : recordings)
        total += recording.toMs - recording.fromMs;
    return total;
}

// One pass over the span, writing the clip and its overlay list as it goes.
class ClipWriter {
public:
    ClipWriter(const SpanTelemetry& telemetry, SpeedUnit unit, QFile& csv, QList<QImage>& stills,
               qint64 lengthMs)
        : m_telemetry(telemetry), m_unit(unit), m_csv(csv), m_stills(stills), m_lengthMs(lengthMs) {
    }

    QString Open(const QString& path, const QString& firstRecording) {
        QString error;
        const std::unique_ptr<MediaFile> first = MediaFile::Open(firstRecording, error);
        if (!first)
            return error;
        // x264 wants even sides.
        m_size = QSize(first->Info().video.width & ~1, first->Info().video.height & ~1);
        return m_encoder.Open(path, m_size, first->Info().video.frameRate);
    }

    QString Add(int index, const SpanRecording& recording, const ExportProgress& progress,
                const std::atomic<bool>& cancel) {
        QString error;
        std::unique_ptr<MediaFile> file = MediaFile::Open(recording.path, error, &cancel);
        if (!file)
            return cancel ? CancelledText : error;
        RecordingFrames frames(std::move(file));
        const qint64 from = recording.fromMs * MediaTime::UnitsPerMs;
        const qint64 to = recording.toMs * MediaTime::UnitsPerMs;
        if (!frames.Start(from))
            return QStringLiteral("cannot decode the video of %1").arg(recording.path);
        const QString name = QFileInfo(recording.path).fileName();
        m_soundLeft = (recording.toMs - recording.fromMs) * SoundFramesPerMs;
        while (std::optional<VideoFrame> picture = frames.NextPicture()) {
            if (cancel)
                return CancelledText;
            if (picture->position >= to)
                break;
            // The picture filmed before the span's start is the one shown at it.
            const qint64 clipUnits =
                m_clipOffsetMs * MediaTime::UnitsPerMs + std::max(picture->position, from) - from;
            const qint64 positionMs = picture->position / MediaTime::UnitsPerMs;
            if (QString failure = AddPicture(*picture->source, clipUnits, index, name, positionMs);
                !failure.isEmpty())
                return failure;
            if (QString failure = AddSound(frames, 0); !failure.isEmpty())
                return failure;
            if (progress && m_lengthMs > 0)
                progress(double(clipUnits / MediaTime::UnitsPerMs) / double(m_lengthMs));
        }
        if (QString failure = AddSound(frames, m_soundLeft); !failure.isEmpty())
            return failure;
        // Silence where the recording's sound ends early or is missing.
        const std::vector<qint16> silence(size_t(m_soundLeft) * PcmQueue::Channels, 0);
        if (QString failure = m_encoder.AddSound(silence.data(), int(m_soundLeft));
            !failure.isEmpty())
            return failure;
        m_clipOffsetMs += recording.toMs - recording.fromMs;
        return {};
    }

    QString Finish() { return m_encoder.Finish(); }

private:
    QString AddPicture(const AVFrame& decoded, qint64 clipUnits, int index, const QString& name,
                       qint64 positionMs) {
        const FrameOverlay overlay = MakeFrameOverlay(m_telemetry.At(index, positionMs), m_unit);
        const qint64 clipMs = clipUnits / MediaTime::UnitsPerMs;
        const QByteArray line = OverlayCsvLine(m_frame++, clipMs, name, positionMs, overlay);
        if (m_csv.write(line) != line.size())
            return QStringLiteral("cannot write %1: %2").arg(m_csv.fileName(), m_csv.errorString());
        if (QString error =
                m_encoder.AddPicture(decoded, RenderFrameOverlay(overlay, m_size), clipUnits);
            !error.isEmpty())
            return error;
        while (m_stills.size() < Stills &&
               clipMs * 2 * Stills >= (2 * m_stills.size() + 1) * m_lengthMs)
            m_stills.append(m_stillConverter.Convert(&m_encoder.LastPicture(), m_size, {}).copy());
        return {};
    }

    // Hands on what has been decoded, but never more than the recording's part of the span.
    QString AddSound(RecordingFrames& frames, qint64 wantedFrames) {
        std::vector<qint16> sound;
        frames.TakeSound(sound, wantedFrames);
        const qint64 take =
            std::min<qint64>(m_soundLeft, qint64(sound.size()) / PcmQueue::Channels);
        m_soundLeft -= take;
        return take > 0 ? m_encoder.AddSound(sound.data(), int(take)) : QString();
    }

    const SpanTelemetry& m_telemetry;
    SpeedUnit m_unit;
    QFile& m_csv;
    QList<QImage>& m_stills;
    qint64 m_lengthMs;
    ClipEncoder m_encoder;
    FrameConverter m_stillConverter;
    QSize m_size;
    qint64 m_clipOffsetMs = 0;
    qint64 m_soundLeft = 0;
    int m_frame = 0;
};

} // namespace

QString WriteClip(const QList<SpanRecording>& recordings, const SpanTelemetry& telemetry,
                  SpeedUnit unit, const ClipFiles& files, QList<QImage>& stills,
                  const ExportProgress& progress, const std::atomic<bool>& cancel) {
    QList<int> shown;
    for (int i = 0; i < recordings.size(); ++i)
        if (recordings[i].toMs > recordings[i].fromMs)
            shown.append(i);
    if (shown.isEmpty())
        return QStringLiteral("the span holds no picture");
    QFile csv(files.overlayCsv);
    if (!csv.open(QIODevice::WriteOnly) || csv.write(OverlayCsvHeader()) < 0)
        return QStringLiteral("cannot write %1: %2").arg(files.overlayCsv, csv.errorString());
    ClipWriter writer(telemetry, unit, csv, stills, ClipLengthMs(recordings));
    if (QString error = writer.Open(files.clip, recordings[shown.first()].path); !error.isEmpty())
        return error;
    for (int index : shown)
        if (QString error = writer.Add(index, recordings[index], progress, cancel);
            !error.isEmpty())
            return error;
    if (QString error = writer.Finish(); !error.isEmpty())
        return error;
    if (!csv.flush())
        return QStringLiteral("cannot write %1: %2").arg(files.overlayCsv, csv.errorString());
    return {};
}
