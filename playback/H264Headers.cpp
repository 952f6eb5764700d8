#include "playback/H264Headers.h"

#include <QtEndian>
#include <algorithm>

namespace {

// Headers never need more than this; the rest of a NAL unit is never unescaped.
constexpr qsizetype HeaderBytes = 256;

// Exp-Golomb and plain bits over a NAL unit's payload with its emulation prevention bytes
// removed; reading past the end sets `failed` instead of inventing bits.
class BitReader {
public:
    BitReader(const char* nal, qsizetype size) {
        const qsizetype length = std::min(size, HeaderBytes);
        int zeros = 0;
        for (qsizetype i = 0; i < length; ++i) {
            const auto byte = uchar(nal[i]);
            if (zeros >= 2 && byte == 3) {
                zeros = 0;
                continue;
            }
            zeros = byte == 0 ? zeros + 1 : 0;
            m_bytes.append(char(byte));
        }
    }
    bool Failed() const { return m_failed; }
    quint32 Bits(int count) {
        quint32 value = 0;
        for (int i = 0; i < count; ++i)
            value = value << 1 | Bit();
        return value;
    }
    quint32 Bit() {
        if (m_at >= m_bytes.size() * 8) {
            m_failed = true;
            return 0;
        }
        const quint32 bit = uchar(m_bytes[m_at / 8]) >> (7 - m_at % 8) & 1;
        ++m_at;
        return bit;
    }
    quint32 Unsigned() {
        int zeros = 0;
        while (!m_failed && Bit() == 0)
            if (++zeros > 31)
                m_failed = true;
        if (m_failed)
            return 0;
        return (quint32(1) << zeros) - 1 + Bits(zeros);
    }
    qint32 Signed() {
        const quint32 code = Unsigned();
        return code & 1 ? qint32((code + 1) / 2) : -qint32(code / 2);
    }

private:
    QByteArray m_bytes;
    qsizetype m_at = 0;
    bool m_failed = false;
};

bool HasChromaFormat(quint32 profile) {
    static constexpr quint32 Profiles[] = {100, 110, 122, 244, 44,  83, 86,
                                           118, 128, 138, 139, 134, 135};
    return std::find(std::begin(Profiles), std::end(Profiles), profile) != std::end(Profiles);
}

void SkipScalingList(BitReader& bits, int size) {
    qint32 last = 8, next = 8;
    for (int i = 0; i < size && next != 0 && !bits.Failed(); ++i) {
        next = (last + bits.Signed() + 256) % 256;
        last = next == 0 ? last : next;
    }
}

} // namespace

std::optional<H264SequenceSet> ReadSequenceSet(const QByteArray& nal) {
    if (nal.size() < 4 || (uchar(nal[0]) & 0x1F) != 7)
        return std::nullopt;
    BitReader bits(nal.constData() + 1, nal.size() - 1);
    H264SequenceSet sps;
    const quint32 profile = bits.Bits(8);
    bits.Bits(16); // constraint flags, level
    bits.Unsigned();
    if (HasChromaFormat(profile)) {
        const quint32 chromaFormat = bits.Unsigned();
        if (chromaFormat == 3)
            sps.separateColourPlane = bits.Bit();
        bits.Unsigned(); // bit depths
        bits.Unsigned();
        bits.Bit();
        if (bits.Bit()) {
            for (int i = 0; i < (chromaFormat == 3 ? 12 : 8); ++i)
                if (bits.Bit())
                    SkipScalingList(bits, i < 6 ? 16 : 64);
        }
    }
    sps.log2MaxFrameNum = int(bits.Unsigned()) + 4;
    sps.pocType = int(bits.Unsigned());
    if (sps.pocType == 0) {
        sps.log2MaxPocLsb = int(bits.Unsigned()) + 4;
    } else if (sps.pocType == 1) {
        bits.Bit();
        bits.Signed();
        bits.Signed();
        const quint32 cycle = bits.Unsigned();
        for (quint32 i = 0; i < cycle && i < 256 && !bits.Failed(); ++i)
            bits.Signed();
    }
    bits.Unsigned(); // reference frames
    bits.Bit();
    bits.Unsigned(); // size in macroblocks
    bits.Unsigned();
    sps.frameMbsOnly = bits.Bit();
    if (bits.Failed() || sps.log2MaxFrameNum > 16 || sps.pocType > 2 || sps.log2MaxPocLsb > 16)
        return std::nullopt;
    return sps;
}

std::optional<H264SliceStart> ReadSliceStart(const char* nal, qsizetype size,
                                             const H264SequenceSet* sps) {
    if (size < 2)
        return std::nullopt;
    const bool idr = (uchar(nal[0]) & 0x1F) == 5;
    BitReader bits(nal + 1, size - 1);
    H264SliceStart slice;
    slice.firstMb = int(bits.Unsigned());
    const quint32 sliceType = bits.Unsigned();
    const quint32 pps = bits.Unsigned();
    if (bits.Failed() || sliceType > 9 || pps > 255)
        return std::nullopt;
    slice.pictureSet = int(pps);
    if (!sps)
        return slice;
    if (sps->separateColourPlane)
        bits.Bits(2);
    slice.frameNum = int(bits.Bits(sps->log2MaxFrameNum));
    if (!sps->frameMbsOnly && bits.Bit())
        bits.Bit(); // bottom field
    if (idr)
        bits.Unsigned();
    if (sps->pocType == 0)
        slice.pocLsb = int(bits.Bits(sps->log2MaxPocLsb));
    if (bits.Failed())
        return std::nullopt;
    return slice;
}

std::optional<AvcConfig> ReadAvcConfig(const QByteArray& avcC) {
    if (avcC.size() < 7 || avcC[0] != 1)
        return std::nullopt;
    AvcConfig config;
    config.lengthSize = (uchar(avcC[4]) & 3) + 1;
    if (config.lengthSize == 3)
        return std::nullopt;
    qsizetype at = 5;
    // The sequence parameter sets, then the picture parameter sets, each with its count first.
    for (const bool sequence : {true, false}) {
        if (at >= avcC.size())
            return std::nullopt;
        const int sets = uchar(avcC[at++]) & (sequence ? 0x1F : 0xFF);
        for (int i = 0; i < sets; ++i) {
            if (at + 2 > avcC.size())
                return std::nullopt;
            const quint16 length = qFromBigEndian<quint16>(avcC.constData() + at);
            if (length == 0 || at + 2 + length > avcC.size())
                return std::nullopt;
            const QByteArray nal = avcC.mid(at + 2, length);
            if (sequence && !config.sps) {
                config.sps = ReadSequenceSet(nal);
            } else if (!sequence && nal.size() > 1) {
                BitReader bits(nal.constData() + 1, nal.size() - 1);
                const quint32 id = bits.Unsigned();
                if (!bits.Failed())
                    config.pictureSets.append(int(id));
            }
            at += 2 + length;
        }
    }
    return config;
}
