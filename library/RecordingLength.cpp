#include "library/RecordingLength.h"

#include "common/NativePath.h"

#include <QFile>
#include <QtEndian>

namespace {

// RIFF "AVI " LIST "hdrl" "avih", each at the place every AVI writer puts it.
constexpr int AviHeaderBytes = 56;
constexpr int AviMicrosecondsPerFrameAt = 32;
constexpr int AviTotalFramesAt = 48;
constexpr int MicrosecondsPerMillisecond = 1000;

// An MP4 holds a handful of boxes at each level; more means this is no box structure.
constexpr int MaxBoxesPerLevel = 1000;

std::optional<qint64> AviLengthMs(QIODevice& file) {
    char header[AviHeaderBytes];
    if (!file.seek(0) || file.read(header, AviHeaderBytes) != AviHeaderBytes)
        return std::nullopt;
    const QByteArrayView bytes(header, AviHeaderBytes);
    if (bytes.sliced(8, 4) != "AVI " || bytes.sliced(12, 4) != "LIST" ||
        bytes.sliced(20, 4) != "hdrl" || bytes.sliced(24, 4) != "avih")
        return std::nullopt;
    const quint32 microseconds = qFromLittleEndian<quint32>(header + AviMicrosecondsPerFrameAt);
    const quint32 frames = qFromLittleEndian<quint32>(header + AviTotalFramesAt);
    if (microseconds == 0 || frames == 0)
        return std::nullopt;
    return qint64(frames) * microseconds / MicrosecondsPerMillisecond;
}

struct Box {
    QByteArray type;
    qint64 bodyAt = 0;
    qint64 end = 0;
};

// The box at `at`, when its header can be read and it fits before `end`.
std::optional<Box> ReadBoxHeader(QIODevice& file, qint64 at, qint64 end) {
    char header[16];
    if (at + 8 > end || !file.seek(at) || file.read(header, 8) != 8)
        return std::nullopt;
    qint64 size = qFromBigEndian<quint32>(header);
    qint64 bodyAt = at + 8;
    if (size == 1) {
        if (file.read(header + 8, 8) != 8)
            return std::nullopt;
        size = qint64(qFromBigEndian<quint64>(header + 8) & 0x7FFFFFFFFFFFFFFF);
        bodyAt += 8;
    } else if (size == 0) {
        size = end - at; // the box runs to the end of its parent
    }
    if (size < bodyAt - at || at + size > end)
        return std::nullopt;
    return Box{QByteArray(header + 4, 4), bodyAt, at + size};
}

std::optional<Box> FindChild(QIODevice& file, qint64 from, qint64 end, const char* type) {
    for (int boxes = 0; boxes < MaxBoxesPerLevel; ++boxes) {
        const std::optional<Box> box = ReadBoxHeader(file, from, end);
        if (!box)
            return std::nullopt;
        if (box->type == type)
            return box;
        from = box->end;
    }
    return std::nullopt;
}

std::optional<qint64> Mp4LengthMs(QIODevice& file) {
    const qint64 size = file.size();
    const std::optional<Box> first = ReadBoxHeader(file, 0, size);
    if (!first || first->type != "ftyp")
        return std::nullopt;
    const std::optional<Box> moov = FindChild(file, 0, size, "moov");
    if (!moov)
        return std::nullopt;
    const std::optional<Box> mvhd = FindChild(file, moov->bodyAt, moov->end, "mvhd");
    if (!mvhd)
        return std::nullopt;
    char body[32];
    const qint64 wanted = std::min<qint64>(sizeof body, mvhd->end - mvhd->bodyAt);
    if (!file.seek(mvhd->bodyAt) || file.read(body, wanted) != wanted || wanted < 20)
        return std::nullopt;
    const bool wide = body[0] == 1; // version 1 keeps its times in 64 bits
    if (wide && wanted < 32)
        return std::nullopt;
    const quint32 timescale = qFromBigEndian<quint32>(body + (wide ? 20 : 12));
    const quint64 duration =
        wide ? qFromBigEndian<quint64>(body + 24) : qFromBigEndian<quint32>(body + 16);
    const quint64 unknown = wide ? ~quint64(0) : quint64(~quint32(0));
    if (timescale == 0 || duration == 0 || duration == unknown)
        return std::nullopt;
    return qint64(duration / timescale * 1000 + duration % timescale * 1000 / timescale);
}

} // namespace

std::optional<qint64> RecordingLengthMs(QIODevice& file) {
    char magic[4];
    if (!file.seek(0) || file.read(magic, 4) != 4)
        return std::nullopt;
    return QByteArrayView(magic, 4) == "RIFF" ? AviLengthMs(file) : Mp4LengthMs(file);
}

std::optional<qint64> RecordingLengthMs(const QString& path) {
    QFile file;
    if (!OpenNativeForReading(file, path, QIODevice::Unbuffered))
        return std::nullopt;
    return RecordingLengthMs(file);
}
