#include "playback/Mp4Reference.h"

#include "common/NativePath.h"
#include "playback/Mp4Boxes.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QMutex>
#include <QtEndian>
#include <algorithm>

namespace {

// Cameras write moov boxes of a few megabytes at most; more is no recording of theirs.
constexpr qint64 MaxMoovBytes = 64 * 1024 * 1024;
constexpr int MaxTopLevelBoxes = 1000;
// The bytes before the child boxes of a visual and a sound sample entry.
constexpr qsizetype VisualEntryFields = 78;
constexpr qsizetype SoundEntryFields = 28;
// How many of a folder's MP4s, nearest in time first, are read before giving up.
constexpr int MaxCandidates = 20;
// A camera writes its sound in runs of a few lengths; more are no pattern to follow.
constexpr int MaxSoundRuns = 8;

QMutex chosenLock;
QHash<QString, QString> chosen; // cut recording -> reference given for it

quint32 Word(const QByteArray& bytes, qsizetype at) {
    return at + 4 <= bytes.size() ? qFromBigEndian<quint32>(bytes.constData() + at) : 0;
}

QByteArray ReadMoov(QIODevice& file) {
    const qint64 fileSize = file.size();
    qint64 at = 0;
    for (int boxes = 0; at + 8 <= fileSize && boxes < MaxTopLevelBoxes; ++boxes) {
        char header[16];
        if (!file.seek(at) || file.read(header, 8) != 8)
            return {};
        qint64 size = qFromBigEndian<quint32>(header);
        qint64 headerSize = 8;
        if (size == 1) {
            if (file.read(header + 8, 8) != 8)
                return {};
            size = qint64(qFromBigEndian<quint64>(header + 8) & 0x7FFFFFFFFFFFFFFF);
            headerSize = 16;
        }
        if (size < headerSize || at + size > fileSize)
            return {};
        if (QByteArray(header + 4, 4) == "moov") {
            if (size > MaxMoovBytes)
                return {};
            return file.read(size - headerSize);
        }
        at += size;
    }
    return {};
}

// The child boxes of the first entry of an stsd box, after the entry's own fields.
QByteArray EntryChildren(const QByteArray& stsdBody, qsizetype fields) {
    const QList<Mp4Box> entries = ReadBoxes(stsdBody.mid(8));
    if (entries.isEmpty())
        return {};
    const QByteArray& entry = entries.first().body;
    if (fields == SoundEntryFields) {
        // QuickTime's sound entries of version 1 and 2 carry more fields before their boxes.
        const quint16 version = entry.size() >= 10 ? qFromBigEndian<quint16>(entry.data() + 8) : 0;
        fields += version == 1 ? 16 : version == 2 ? 36 : 0;
    }
    return entry.mid(fields);
}

// One descriptor of an esds box: its tag and where its contents start and end.
struct Descriptor {
    int tag = -1;
    qsizetype start = 0;
    qsizetype end = 0;
};

Descriptor ReadDescriptor(const QByteArray& bytes, qsizetype at) {
    Descriptor descriptor;
    if (at >= bytes.size())
        return descriptor;
    descriptor.tag = uchar(bytes[at++]);
    qsizetype length = 0;
    for (int i = 0; i < 4 && at < bytes.size(); ++i) {
        const uchar byte = uchar(bytes[at++]);
        length = length << 7 | (byte & 0x7F);
        if (!(byte & 0x80))
            break;
    }
    descriptor.start = at;
    descriptor.end = std::min(bytes.size(), at + length);
    return descriptor;
}

// The AudioSpecificConfig inside an esds box's body; empty when it is not AAC.
QByteArray AacConfig(const QByteArray& esds) {
    const Descriptor es = ReadDescriptor(esds, 4);
    if (es.tag != 3 || es.end - es.start < 3)
        return {};
    const uchar flags = uchar(esds[es.start + 2]);
    qsizetype at = es.start + 3;
    if (flags & 0x80)
        at += 2;
    if (flags & 0x40 && at < esds.size())
        at += 1 + uchar(esds[at]);
    if (flags & 0x20)
        at += 2;
    const Descriptor config = ReadDescriptor(esds, at);
    if (config.tag != 4 || config.end - config.start < 13)
        return {};
    const uchar objectType = uchar(esds[config.start]);
    const bool aac = objectType == 0x40 || (objectType >= 0x66 && objectType <= 0x68);
    const Descriptor specific = ReadDescriptor(esds, config.start + 13);
    if (!aac || specific.tag != 5 || specific.end <= specific.start)
        return {};
    return esds.mid(specific.start, specific.end - specific.start);
}

QList<qint64> ChunkOffsets(const QByteArray& stbl) {
    QList<qint64> offsets;
    if (const auto stco = FindBox(stbl, "stco")) {
        for (quint32 i = 0; i < Word(stco->body, 4) && 12 + 4 * qsizetype(i) <= stco->body.size();
             ++i)
            offsets.append(Word(stco->body, 8 + 4 * i));
    } else if (const auto co64 = FindBox(stbl, "co64")) {
        for (quint32 i = 0; i < Word(co64->body, 4) && 16 + 8 * qsizetype(i) <= co64->body.size();
             ++i)
            offsets.append(
                qint64(quint64(Word(co64->body, 8 + 8 * i)) << 32 | Word(co64->body, 12 + 8 * i)));
    }
    return offsets;
}

// How long the runs of sound between the pictures are in the reference: from each sound chunk to
// the chunk after it, whichever track that belongs to.
QList<qint64> SoundRuns(const Mp4TrackSetup& video, const Mp4TrackSetup& sound) {
    QList<qint64> starts = video.chunkOffsets + sound.chunkOffsets;
    std::sort(starts.begin(), starts.end());
    QHash<qint64, int> counts;
    for (qint64 chunk : sound.chunkOffsets) {
        const auto next = std::upper_bound(starts.begin(), starts.end(), chunk);
        if (next != starts.end())
            ++counts[*next - chunk];
    }
    QList<qint64> runs = counts.keys();
    std::sort(runs.begin(), runs.end(), [&](qint64 a, qint64 b) {
        return counts[a] != counts[b] ? counts[a] > counts[b] : a < b;
    });
    return runs.mid(0, MaxSoundRuns);
}

std::optional<Mp4TrackSetup> ReadTrack(const QByteArray& trak) {
    const auto mdhd = FindBox(trak, "mdia/mdhd");
    const auto stbl = FindBox(trak, "mdia/minf/stbl");
    const auto tkhd = FindBox(trak, "tkhd");
    if (!mdhd || !stbl || !tkhd)
        return std::nullopt;
    const auto stsd = FindBox(stbl->body, "stsd");
    const auto stts = FindBox(stbl->body, "stts");
    if (!stsd || !stts)
        return std::nullopt;
    Mp4TrackSetup track;
    track.sampleDescription = stsd->whole;
    const bool longMdhd = !mdhd->body.isEmpty() && mdhd->body[0] == 1;
    track.timescale = Word(mdhd->body, longMdhd ? 20 : 12);
    track.sampleDelta = Word(stts->body, 12);
    track.compositionOffsets = FindBox(stbl->body, "ctts").has_value();
    if (const auto stsz = FindBox(stbl->body, "stsz")) {
        track.largestSample = Word(stsz->body, 4); // when all are alike
        track.bytes = qint64(track.largestSample) * Word(stsz->body, 8);
        for (quint32 i = 0; i < Word(stsz->body, 8) && 12 + 4 * qsizetype(i) < stsz->body.size();
             ++i) {
            track.largestSample = std::max(track.largestSample, Word(stsz->body, 12 + 4 * i));
            track.bytes += Word(stsz->body, 12 + 4 * i);
        }
    }
    for (quint32 i = 0; i < Word(stts->body, 4) && 16 + 8 * qsizetype(i) <= stts->body.size(); ++i)
        track.duration += qint64(Word(stts->body, 8 + 8 * i)) * Word(stts->body, 12 + 8 * i);
    track.chunkOffsets = ChunkOffsets(stbl->body);
    track.width = Word(tkhd->body, tkhd->body.size() - 8);
    track.height = Word(tkhd->body, tkhd->body.size() - 4);
    if (const auto elst = FindBox(trak, "edts/elst"); elst && Word(elst->body, 4) > 0) {
        const bool longElst = elst->body[0] == 1;
        // An empty edit (-1) only delays the track; the first one that shows it counts.
        for (quint32 i = 0; i < Word(elst->body, 4); ++i) {
            const qsizetype entry = 8 + qsizetype(i) * (longElst ? 20 : 12);
            const qint64 time = longElst ? qint64(quint64(Word(elst->body, entry + 8)) << 32 |
                                                  Word(elst->body, entry + 12))
                                         : qint32(Word(elst->body, entry + 4));
            if (time >= 0) {
                track.mediaTime = time;
                break;
            }
        }
    }
    if (track.timescale == 0 || track.sampleDelta == 0)
        return std::nullopt;
    return track;
}

qint64 RecordedAt(const QFileInfo& file) {
    const QDateTime named =
        QDateTime::fromString(file.fileName().left(15), QStringLiteral("yyyyMMdd_HHmmss"));
    return named.isValid() ? named.toSecsSinceEpoch() : file.lastModified().toSecsSinceEpoch();
}

} // namespace

std::optional<Mp4Reference> ReadMp4Reference(QIODevice& file, QString& error) {
    const QByteArray moov = ReadMoov(file);
    if (moov.isEmpty()) {
        error = QStringLiteral("it is no finished MP4 (no whole moov box)");
        return std::nullopt;
    }
    Mp4Reference reference;
    bool haveVideo = false;
    for (const Mp4Box& trak : ReadBoxes(moov)) {
        const auto hdlr = trak.type == "trak" ? FindBox(trak.body, "mdia/hdlr") : std::nullopt;
        if (!hdlr || hdlr->body.size() < 12)
            continue;
        const QByteArray handler = hdlr->body.mid(8, 4);
        const std::optional<Mp4TrackSetup> track = ReadTrack(trak.body);
        if (!track)
            continue;
        const QByteArray stsdBody = track->sampleDescription.mid(8);
        const QByteArray entryType = stsdBody.mid(12, 4);
        if (handler == "vide" && !haveVideo && entryType == "avc1") {
            const auto avcC = FindBox(EntryChildren(stsdBody, VisualEntryFields), "avcC");
            if (!avcC)
                continue;
            reference.video = *track;
            reference.avcConfig = avcC->body;
            haveVideo = true;
        } else if (handler == "soun" && !reference.audio) {
            reference.audio = *track;
            if (entryType == "mp4a")
                if (const auto esds = FindBox(EntryChildren(stsdBody, SoundEntryFields), "esds"))
                    reference.audioConfig = AacConfig(esds->body);
        }
    }
    if (!haveVideo) {
        error = QStringLiteral("it has no H.264 picture track");
        return std::nullopt;
    }
    if (reference.audio && reference.audioConfig.isEmpty() && reference.audio->duration > 0) {
        reference.soundRuns = SoundRuns(reference.video, *reference.audio);
        reference.soundBytesPerTick =
            double(reference.audio->bytes) / double(reference.audio->duration);
    }
    return reference;
}

std::optional<Mp4Reference> ReadMp4Reference(const QString& path, QString& error) {
    QFile file;
    if (!OpenNativeForReading(file, path, QIODevice::ReadOnly)) {
        error = file.errorString();
        return std::nullopt;
    }
    auto reference = ReadMp4Reference(file, error);
    if (reference)
        reference->path = path;
    return reference;
}

void SetMp4Reference(const QString& cutPath, const QString& referencePath) {
    const QMutexLocker locker(&chosenLock);
    if (referencePath.isEmpty())
        chosen.remove(cutPath);
    else
        chosen.insert(cutPath, referencePath);
}

std::optional<Mp4Reference> FindMp4Reference(const QString& cutPath,
                                             const std::function<bool(const Mp4Reference&)>& fits,
                                             QString& error) {
    QString given;
    {
        const QMutexLocker locker(&chosenLock);
        given = chosen.value(cutPath);
    }
    if (!given.isEmpty()) {
        QString why;
        auto reference = ReadMp4Reference(given, why);
        if (reference && !fits(*reference)) {
            reference.reset();
            why = QStringLiteral("its pictures are coded otherwise");
        }
        if (!reference)
            error = QStringLiteral("the reference %1 cannot serve: %2").arg(given, why);
        return reference;
    }
    const QFileInfo cut(cutPath);
    QFileInfoList candidates;
    for (const QFileInfo& file : cut.dir().entryInfoList(QDir::Files))
        if (file.suffix().compare(QLatin1String("MP4"), Qt::CaseInsensitive) == 0 &&
            file.fileName() != cut.fileName())
            candidates.append(file);
    const qint64 cutAt = RecordedAt(cut);
    std::sort(candidates.begin(), candidates.end(),
              [cutAt](const QFileInfo& a, const QFileInfo& b) {
                  const qint64 da = qAbs(RecordedAt(a) - cutAt), db = qAbs(RecordedAt(b) - cutAt);
                  return da != db ? da < db : a.fileName() < b.fileName();
              });
    for (qsizetype i = 0; i < candidates.size() && i < MaxCandidates; ++i) {
        QString ignored;
        auto reference = ReadMp4Reference(candidates[i].filePath(), ignored);
        if (reference && fits(*reference))
            return reference;
    }
    error = QStringLiteral("no finished MP4 of the same camera lies beside it to take its "
                           "settings from");
    return std::nullopt;
}
