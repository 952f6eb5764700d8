#include "playback/UnfinishedAvi.h"

#include <QIODevice>
#include <QtEndian>
#include <algorithm>
#include <cstring>

namespace {

constexpr quint32 AviIndexKeyFrame = 0x10;
constexpr quint32 AviHasIndex = 0x10;
// Enough of a video chunk to pass the SEI that may come before its first slice.
constexpr qint64 KeyFrameProbeBytes = 4096;
// A file of nothing but empty chunks must not make the index grow without bound.
constexpr qsizetype MaxIndexEntries = 4 * 1024 * 1024;
constexpr int MaxStreams = 100;
constexpr qint64 ResyncBlock = 64 * 1024;

constexpr quint32 FourCc(const char (&text)[5]) {
    return quint32(uchar(text[0])) | quint32(uchar(text[1])) << 8 | quint32(uchar(text[2])) << 16 |
           quint32(uchar(text[3])) << 24;
}

struct Chunk {
    qint64 offset = 0;
    quint32 id = 0;
    quint32 size = 0;
    qint64 DataOffset() const { return offset + 8; }
    qint64 End() const { return offset + 8 + size + (size & 1); }
};

struct Stream {
    bool video = false;
    qint64 lengthOffset = 0; // of strh's dwLength
    quint32 sampleSize = 0;
    quint32 chunks = 0;
    qint64 bytes = 0;
};

struct IndexEntry {
    quint32 id;
    quint32 flags;
    qint64 offset; // of the chunk's header
    quint32 size;
};

class Reader {
public:
    explicit Reader(QIODevice& file) : m_file(file), m_size(file.size()) {}
    qint64 Size() const { return m_size; }

    bool Read(qint64 offset, char* data, qint64 length) {
        return offset >= 0 && offset + length <= m_size && m_file.seek(offset) &&
               m_file.read(data, length) == length;
    }
    std::optional<quint32> Word(qint64 offset) {
        char bytes[4];
        if (!Read(offset, bytes, 4))
            return std::nullopt;
        return qFromLittleEndian<quint32>(bytes);
    }
    std::optional<Chunk> ChunkAt(qint64 offset) {
        char bytes[8];
        if (!Read(offset, bytes, 8))
            return std::nullopt;
        return Chunk{offset, qFromLittleEndian<quint32>(bytes),
                     qFromLittleEndian<quint32>(bytes + 4)};
    }
    QByteArray Bytes(qint64 offset, qint64 length) {
        QByteArray bytes(std::min(length, std::max<qint64>(0, m_size - offset)), Qt::Uninitialized);
        if (!Read(offset, bytes.data(), bytes.size()))
            bytes.clear();
        return bytes;
    }

private:
    QIODevice& m_file;
    qint64 m_size;
};

// The stream number of a stream chunk ("01wb" is stream 1), -1 for any other chunk.
int StreamOf(quint32 id, int streamCount) {
    const char tens = char(id & 0xFF), ones = char(id >> 8 & 0xFF);
    const char kind[2] = {char(id >> 16 & 0xFF), char(id >> 24 & 0xFF)};
    if (tens < '0' || tens > '9' || ones < '0' || ones > '9')
        return -1;
    const bool known = (kind[0] == 'd' && (kind[1] == 'c' || kind[1] == 'b')) ||
                       (kind[0] == 'w' && kind[1] == 'b');
    const int stream = (tens - '0') * 10 + (ones - '0');
    return known && stream < streamCount ? stream : -1;
}

bool IsPrintableId(quint32 id) {
    for (int shift = 0; shift < 32; shift += 8) {
        const char c = char(id >> shift & 0xFF);
        if (c < ' ' || c > '~')
            return false;
    }
    return true;
}

QString EndsInside(qint64 fileSize, const char* what) {
    return QStringLiteral("the file ends at byte %1, inside its %2").arg(fileSize).arg(what);
}

class Scan {
public:
    Scan(QIODevice& file, const std::atomic<bool>& cancel) : m_reader(file), m_cancel(cancel) {}

    AviCheck Run();

private:
    bool ReadHeaders(const Chunk& hdrl, AviRepair& repair, QString& error);
    bool ReadStreamList(const Chunk& strl, AviRepair& repair);
    // Walks the movi list from `from` to `end`; false when cancelled.
    bool WalkMovi(qint64 from, qint64 end);
    // The next stream chunk header at or after `from` that fits before `end`; -1 for none.
    qint64 Resync(qint64 from, qint64 end);
    void TakeChunk(const Chunk& chunk, int stream);
    QByteArray BuildIndex(qint64 moviId) const;
    // Whether a finished file's idx1 can lead the demuxer through the whole movi list.
    bool IndexUsable(const Chunk& idx1, const Chunk& movi);

    Reader m_reader;
    const std::atomic<bool>& m_cancel;
    QList<Stream> m_streams;
    QList<IndexEntry> m_entries;
    qint64 m_totalFramesOffset = 0;
    qint64 m_dataEnd = 0; // after the last complete chunk
};

bool Scan::IndexUsable(const Chunk& idx1, const Chunk& movi) {
    const QByteArray entries = m_reader.Bytes(idx1.DataOffset(), idx1.size / 16 * 16);
    const qsizetype count = entries.size() / 16;
    if (count == 0)
        return false;
    const auto idAt = [&](qsizetype i) {
        return qFromLittleEndian<quint32>(entries.data() + i * 16);
    };
    const auto offsetAt = [&](qsizetype i) {
        return qint64(qFromLittleEndian<quint32>(entries.data() + i * 16 + 8));
    };
    // Offsets count from the list type "movi", or from the file's start in some writers.
    const qint64 moviId = movi.offset + 8;
    const qint64 base = m_reader.Word(moviId + offsetAt(0)) == idAt(0) ? moviId : 0;
    const qint64 moviEnd = movi.offset + 8 + movi.size;
    // Scrambled entries would send the demuxer to the end, or to the wrong pictures, at once.
    qint64 streamEnd = moviId + 4;
    for (qsizetype i = 0; i < count; ++i) {
        if (StreamOf(idAt(i), int(m_streams.size())) < 0)
            continue;
        const qint64 offset = base + offsetAt(i);
        const qint64 size = qFromLittleEndian<quint32>(entries.data() + i * 16 + 12);
        if (offset < streamEnd || offset + 8 + size > moviEnd)
            return false;
        streamEnd = offset + 8 + size;
    }
    // A shorter index than the list would end playback early.
    const auto afterLast = m_reader.ChunkAt(streamEnd + (streamEnd & 1));
    if (afterLast && afterLast->offset + 8 <= moviEnd &&
        StreamOf(afterLast->id, int(m_streams.size())) >= 0)
        return false;
    // Spread over the whole index, a few entries must name the chunks they point at.
    const qsizetype checks = std::min<qsizetype>(count, 16);
    for (qsizetype n = 0; n < checks; ++n) {
        const qsizetype i = checks > 1 ? n * (count - 1) / (checks - 1) : 0;
        if (m_reader.Word(base + offsetAt(i)) != idAt(i))
            return false;
    }
    return true;
}

AviCheck Scan::Run() {
    AviCheck check;
    const auto riff = m_reader.ChunkAt(0);
    const auto form = m_reader.Word(8);
    if (!riff || riff->id != FourCc("RIFF") || form != FourCc("AVI "))
        return check; // not an AVI: the demuxer says why
    std::optional<Chunk> hdrl, movi, idx1;
    for (qint64 at = 12; at + 8 <= m_reader.Size() && !movi;) {
        const Chunk chunk = *m_reader.ChunkAt(at);
        const auto listType = m_reader.Word(at + 8);
        if (chunk.id == FourCc("LIST") && listType == FourCc("hdrl"))
            hdrl = chunk;
        else if (chunk.id == FourCc("LIST") && listType == FourCc("movi"))
            movi = chunk;
        if (!IsPrintableId(chunk.id))
            break;
        at = chunk.End();
    }
    if (!hdrl || hdrl->End() > m_reader.Size()) {
        check.error = EndsInside(m_reader.Size(), "headers");
        return check;
    }
    AviRepair repair;
    if (!ReadHeaders(*hdrl, repair, check.error))
        return check;
    if (!movi) {
        check.error = QStringLiteral("no index and no packets");
        return check;
    }
    const qint64 moviData = movi->offset + 12;
    const bool moviWhole = movi->size >= 4 && movi->End() <= m_reader.Size();
    // A RIFF size beyond the file: the demuxer would not trust the index.
    if (moviWhole && riff->End() <= m_reader.Size() + 1) {
        idx1 = m_reader.ChunkAt(movi->End());
        if (idx1 && idx1->id == FourCc("idx1") && idx1->size >= 16 &&
            idx1->DataOffset() + idx1->size <= m_reader.Size() && IndexUsable(*idx1, *movi))
            return check; // a finished recording
        // A damaged index would end playback at once: the rebuilt one serves instead.
    }
    // Whatever follows a second RIFF list (files beyond 1 GiB) is left to the demuxer.
    const auto afterRiff = m_reader.ChunkAt(riff->End());
    if (riff->size != 0 && afterRiff && afterRiff->id == FourCc("RIFF"))
        return check;

    const qint64 moviEnd = moviWhole ? movi->offset + 8 + movi->size : m_reader.Size();
    m_dataEnd = moviData;
    if (!WalkMovi(moviData, moviEnd)) {
        check.error = QStringLiteral("cancelled");
        return check;
    }
    if (m_entries.isEmpty()) {
        check.error = QStringLiteral("no index and no packets");
        return check;
    }
    repair.keptBytes = m_dataEnd;
    repair.index = BuildIndex(movi->offset + 8);
    // Chunks found again after garbage may end at an odd offset: the pad byte the list then
    // needs comes before the index.
    if ((m_dataEnd - movi->offset) % 2 != 0)
        repair.index.prepend('\0');
    repair.patches.append({4, quint32(repair.Size() - 8)});
    repair.patches.append({movi->offset + 4, quint32(m_dataEnd - movi->offset - 8)});
    for (const Stream& stream : m_streams) {
        if (stream.video && m_totalFramesOffset > 0) {
            repair.patches.append({m_totalFramesOffset, stream.chunks});
            m_totalFramesOffset = 0;
        }
        const qint64 length = stream.video || stream.sampleSize == 0
                                  ? stream.chunks
                                  : stream.bytes / stream.sampleSize;
        repair.patches.append({stream.lengthOffset, quint32(length)});
    }
    check.repair = repair;
    return check;
}

bool Scan::ReadHeaders(const Chunk& hdrl, AviRepair& repair, QString& error) {
    std::optional<qint64> avih;
    for (qint64 at = hdrl.offset + 12; at + 8 <= hdrl.End();) {
        const Chunk chunk = *m_reader.ChunkAt(at);
        if (chunk.id == FourCc("avih") && chunk.size >= 56)
            avih = chunk.DataOffset();
        else if (chunk.id == FourCc("LIST") && m_reader.Word(at + 8) == FourCc("strl") &&
                 m_streams.size() < MaxStreams && !ReadStreamList(chunk, repair))
            break;
        at = chunk.End();
    }
    if (!avih || m_streams.isEmpty()) {
        error = QStringLiteral("no stream headers");
        return false;
    }
    qsizetype videoStreams = 0;
    for (const Stream& stream : m_streams)
        videoStreams += stream.video;
    if (videoStreams == 0) {
        error = QStringLiteral("no video stream");
        return false;
    }
    m_totalFramesOffset = *avih + 16;
    const quint32 flags = m_reader.Word(*avih + 12).value_or(0);
    repair.patches.append({*avih + 12, flags | AviHasIndex});
    return true;
}

bool Scan::ReadStreamList(const Chunk& strl, AviRepair& repair) {
    Stream stream;
    bool header = false;
    // A stream list may claim more than the headers hold.
    const qint64 end = std::min(strl.End(), m_reader.Size());
    for (qint64 at = strl.offset + 12; at + 8 <= end;) {
        const Chunk chunk = *m_reader.ChunkAt(at);
        if (chunk.id == FourCc("strh") && chunk.size >= 48) {
            header = true;
            stream.video = m_reader.Word(chunk.DataOffset()) == FourCc("vids");
            stream.lengthOffset = chunk.DataOffset() + 32;
            stream.sampleSize = m_reader.Word(chunk.DataOffset() + 44).value_or(0);
        } else if (chunk.id == FourCc("indx")) {
            // An OpenDML index of a cut file points past its end: the rebuilt idx1 serves.
            repair.patches.append({chunk.offset, FourCc("JUNK")});
        }
        at = chunk.End();
    }
    if (header)
        m_streams.append(stream);
    return header;
}

bool Scan::WalkMovi(qint64 from, qint64 end) {
    for (qint64 at = from; at + 8 <= end;) {
        if (m_cancel)
            return false;
        const Chunk chunk = *m_reader.ChunkAt(at);
        const int stream = StreamOf(chunk.id, int(m_streams.size()));
        const bool fits = chunk.DataOffset() + chunk.size <= end;
        if (chunk.id == FourCc("LIST") && fits && m_reader.Word(at + 8) == FourCc("rec ")) {
            at += 12;
            continue;
        }
        if ((stream >= 0 || IsPrintableId(chunk.id)) && fits) {
            if (stream >= 0)
                TakeChunk(chunk, stream);
            if (m_entries.size() >= MaxIndexEntries)
                return true;
            at = chunk.End();
            continue;
        }
        // Garbage, a zeroed region, or the chunk the power cut interrupted.
        at = Resync(at + 1, end);
        if (at < 0)
            return true;
    }
    return true;
}

qint64 Scan::Resync(qint64 from, qint64 end) {
    for (qint64 block = from; block + 8 <= end; block += ResyncBlock) {
        if (m_cancel)
            return -1;
        const QByteArray bytes = m_reader.Bytes(block, std::min(ResyncBlock + 7, end - block));
        for (qsizetype i = 0; i + 8 <= bytes.size(); ++i) {
            const quint32 id = qFromLittleEndian<quint32>(bytes.constData() + i);
            if (StreamOf(id, int(m_streams.size())) < 0)
                continue;
            const quint32 size = qFromLittleEndian<quint32>(bytes.constData() + i + 4);
            if (block + i + 8 + size <= end)
                return block + i;
        }
    }
    return -1;
}

void Scan::TakeChunk(const Chunk& chunk, int streamNumber) {
    Stream& stream = m_streams[streamNumber];
    quint32 flags = 0;
    if (!stream.video)
        flags = AviIndexKeyFrame;
    else if (stream.chunks == 0 ||
             (chunk.size > 0 &&
              StartsKeyFrame(m_reader.Bytes(chunk.DataOffset(),
                                            std::min<qint64>(chunk.size, KeyFrameProbeBytes)))))
        flags = AviIndexKeyFrame;
    ++stream.chunks;
    stream.bytes += chunk.size;
    m_entries.append({chunk.id, flags, chunk.offset, chunk.size});
    m_dataEnd = chunk.End();
}

QByteArray Scan::BuildIndex(qint64 moviId) const {
    QByteArray index(8 + m_entries.size() * 16, Qt::Uninitialized);
    char* out = index.data();
    qToLittleEndian<quint32>(FourCc("idx1"), out);
    qToLittleEndian<quint32>(quint32(m_entries.size() * 16), out + 4);
    out += 8;
    for (const IndexEntry& entry : m_entries) {
        // Offsets count from the list type "movi", as finished files have them.
        qToLittleEndian<quint32>(entry.id, out);
        qToLittleEndian<quint32>(entry.flags, out + 4);
        qToLittleEndian<quint32>(quint32(entry.offset - moviId), out + 8);
        qToLittleEndian<quint32>(entry.size, out + 12);
        out += 16;
    }
    return index;
}

// Walks the NAL units of the picture's start until the first slice.
template <typename NextUnit> bool KeyFrameIn(NextUnit next) {
    for (int type; (type = next()) >= 0;) {
        if (type == 5 || type == 7)
            return true;
        if (type >= 1 && type <= 4)
            return false;
    }
    return false;
}

} // namespace

bool StartsKeyFrame(const QByteArray& chunkStart) {
    const auto* bytes = reinterpret_cast<const uchar*>(chunkStart.constData());
    const qsizetype size = chunkStart.size();
    const bool annexB = size >= 4 && bytes[0] == 0 && bytes[1] == 0 &&
                        (bytes[2] == 1 || (bytes[2] == 0 && bytes[3] == 1));
    qsizetype at = 0;
    if (annexB)
        return KeyFrameIn([&] {
            for (; at + 3 < size; ++at)
                if (bytes[at] == 0 && bytes[at + 1] == 0 && bytes[at + 2] == 1) {
                    at += 3;
                    return bytes[at] & 0x1F;
                }
            return -1;
        });
    return KeyFrameIn([&] {
        if (at + 4 >= size)
            return -1;
        const int type = bytes[at + 4] & 0x1F;
        at += 4 + qsizetype(qFromBigEndian<quint32>(bytes + at));
        return type;
    });
}

qint64 AviRepair::Read(QIODevice& file, qint64 offset, char* data, qint64 length) const {
    length = std::clamp<qint64>(Size() - offset, 0, length);
    const qint64 fromFile = std::clamp<qint64>(keptBytes - offset, 0, length);
    if (fromFile > 0 && (!file.seek(offset) || file.read(data, fromFile) != fromFile))
        return -1;
    for (const Patch& patch : patches) {
        char word[4];
        qToLittleEndian<quint32>(patch.value, word);
        for (int i = 0; i < 4; ++i)
            if (patch.offset + i >= offset && patch.offset + i < offset + fromFile)
                data[patch.offset + i - offset] = word[i];
    }
    const qint64 indexFrom = std::max<qint64>(offset, keptBytes) - keptBytes;
    if (length > fromFile)
        std::memcpy(data + fromFile, index.constData() + indexFrom, size_t(length - fromFile));
    return length;
}

AviCheck CheckAvi(QIODevice& file, const std::atomic<bool>& cancel) {
    return Scan(file, cancel).Run();
}
