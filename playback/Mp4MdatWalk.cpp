#include "playback/Mp4MdatWalk.h"

#include "playback/AacFramer.h"
#include "playback/H264Headers.h"
#include "playback/Mp4Reference.h"

#include <QIODevice>
#include <QtEndian>
#include <algorithm>

namespace {

// A NAL unit is no longer than a few of the reference's largest pictures, and never longer than
// a camera's picture can be.
constexpr qint64 NalBytesPerLargestPicture = 8;
constexpr qint64 MinNalLimit = 1024 * 1024;
constexpr qint64 MaxNalLimit = 16 * 1024 * 1024 - 1;
// More NAL units than this in one picture is no picture.
constexpr int MaxNalsPerPicture = 256;
// Enough of a slice to read its header as far as the picture order count.
constexpr int SliceHeaderBytes = 64;
constexpr qint64 WindowBytes = 4 * 1024 * 1024;

// Reads the file through a window, so that the small reads of the walk do not each go to disk.
class Window {
public:
    Window(QIODevice& file, qint64 end) : m_file(file), m_end(end) {}
    // At most `length` bytes from `offset`, fewer at the end; empty when the file fails.
    QByteArrayView At(qint64 offset, qint64 length) {
        length = std::min(length, m_end - offset);
        if (length <= 0)
            return {};
        if (offset < m_start || offset + length > m_start + m_bytes.size()) {
            m_start = offset;
            m_bytes.resize(std::min(std::max(length, WindowBytes), m_end - offset));
            if (!m_file.seek(offset) ||
                m_file.read(m_bytes.data(), m_bytes.size()) != m_bytes.size())
                m_bytes.clear();
        }
        if (offset + length > m_start + m_bytes.size())
            return {};
        return QByteArrayView(m_bytes).sliced(offset - m_start, length);
    }

private:
    QIODevice& m_file;
    qint64 m_end;
    qint64 m_start = 0;
    QByteArray m_bytes;
};

struct Nal {
    int type = 0;
    int referenceIdc = 0;
    qint64 end = 0; // of the NAL unit with its length
    std::optional<H264SliceStart> slice;
    bool Slice() const { return type == 1 || type == 5; }
};

bool PlausibleHeader(uchar header) {
    const int type = header & 0x1F, referenceIdc = header >> 5 & 3;
    if (header & 0x80)
        return false;
    switch (type) {
    case 1:
        return true;
    case 5:
    case 7:
    case 8:
        return referenceIdc != 0;
    case 6:
    case 9:
    case 12:
        return referenceIdc == 0;
    default:
        return false;
    }
}

class Walk {
public:
    // Without `framingSound`, every byte between pictures is skipped.
    Walk(QIODevice& file, qint64 to, const Mp4Reference& reference, const AvcConfig& avc,
         bool framingSound)
        : m_window(file, to), m_to(to), m_lengthSize(avc.lengthSize),
          m_sps(avc.sps ? &*avc.sps : nullptr), m_pictureSets(avc.pictureSets),
          m_framer(framingSound ? reference.audioConfig : QByteArray()),
          m_soundRuns(framingSound ? reference.soundRuns : QList<qint64>()),
          m_soundFrameBytes(std::max<qint64>(1, qRound64(reference.soundBytesPerTick))),
          m_hasSound(reference.audio.has_value()),
          m_maxNal(std::clamp(NalBytesPerLargestPicture * reference.video.largestSample,
                              MinNalLimit, MaxNalLimit)) {}

    Mp4Samples Run(qint64 from, const std::atomic<bool>& cancel);

private:
    // The NAL unit whose length starts at `at`, when it is one; its end may lie past `to`.
    std::optional<Nal> NalAt(qint64 at);
    enum class Start { No, Yes, CutOff };
    // Whether the next picture starts at `at`: whole NAL units of plausible types and sizes, the
    // first slice starting the picture with the frame number that comes next (or an IDR slice)
    // and a picture parameter set of the camera's; then the end, a NAL unit or, when
    // `followedBySound`, a sound frame. CutOff: it would, but the file ends inside it.
    Start PictureStartsAt(qint64 at, bool followedBySound);
    // Whether the next picture starts inside `bytes` (that start at `at`), after their first
    // byte: then they are no sound frame, whatever the decoder makes of them.
    bool PictureStartsWithin(qint64 at, QByteArrayView bytes);
    bool FrameNumberComesNext(const Nal& nal) const;
    // The length of the run of sound at `at` that the reference's run lengths make end where
    // the next picture starts, or one more run before it; where the file ends inside a run, its
    // whole frames; 0 for none.
    qint64 SoundRunAt(qint64 at);
    bool PictureOrEndAt(qint64 at);
    // A cheap test before PictureStartsAt: a 4-byte length no longer than a picture starts with
    // a zero byte.
    bool MayStartNal(qint64 at);
    void CloseAccessUnit(qint64 end);
    void TakeSlice(const Nal& nal);

    Window m_window;
    qint64 m_to;
    int m_lengthSize;
    const H264SequenceSet* m_sps;
    QList<int> m_pictureSets;
    AacFramer m_framer;
    QList<qint64> m_soundRuns;
    qint64 m_soundFrameBytes;
    bool m_hasSound;
    qint64 m_maxNal;
    int m_previousReferenceFrameNum = -1; // unknown before the first picture
    Mp4Samples m_samples;
    // The access unit being gathered: its start (-1 for none), whether it has a slice yet.
    qint64 m_unitStart = -1;
    bool m_unitHasSlice = false;
    Mp4Samples::Picture m_unit{};
    // The picture order count's most significant part, carried from reference picture to
    // reference picture.
    qint64 m_previousMsb = 0;
    int m_previousLsb = 0;
};

std::optional<Nal> Walk::NalAt(qint64 at) {
    const QByteArrayView head = m_window.At(at, m_lengthSize + SliceHeaderBytes);
    if (head.size() < m_lengthSize + 1)
        return std::nullopt;
    qint64 length = 0;
    for (int i = 0; i < m_lengthSize; ++i)
        length = length << 8 | uchar(head[i]);
    const uchar header = uchar(head[m_lengthSize]);
    if (length < 1 || length > m_maxNal || !PlausibleHeader(header))
        return std::nullopt;
    Nal nal{header & 0x1F, header >> 5 & 3, at + m_lengthSize + length, std::nullopt};
    if (nal.Slice()) {
        const qsizetype present = std::min<qsizetype>(head.size() - m_lengthSize, length);
        nal.slice = ReadSliceStart(head.data() + m_lengthSize, present, m_sps);
        // Only the slice the file was cut off in may have too few bytes to read.
        if (!nal.slice && nal.end <= m_to)
            return std::nullopt;
    }
    return nal;
}

bool Walk::FrameNumberComesNext(const Nal& nal) const {
    if (!m_sps || !nal.slice || m_previousReferenceFrameNum < 0)
        return true;
    if (nal.type == 5)
        return nal.slice->frameNum == 0;
    return nal.slice->frameNum == (m_previousReferenceFrameNum + 1) % (1 << m_sps->log2MaxFrameNum);
}

Walk::Start Walk::PictureStartsAt(qint64 at, bool followedBySound) {
    qint64 end = at;
    bool hasSlice = false;
    for (int nals = 0; nals < MaxNalsPerPicture; ++nals) {
        const std::optional<Nal> nal = NalAt(end);
        if (!nal)
            break;
        const bool firstSlice = nal->Slice() && (!nal->slice || nal->slice->firstMb == 0);
        if (hasSlice && (!nal->Slice() || firstSlice))
            break; // the next picture
        if (nal->Slice() && !hasSlice) {
            if (!firstSlice)
                return Start::No;
            if (nal->slice &&
                (!FrameNumberComesNext(*nal) ||
                 (!m_pictureSets.isEmpty() && !m_pictureSets.contains(nal->slice->pictureSet))))
                return Start::No;
            hasSlice = true;
        }
        if (nal->end > m_to)
            return Start::CutOff;
        end = nal->end;
    }
    if (!hasSlice)
        return Start::No;
    if (end == m_to || NalAt(end) || !followedBySound || !m_framer.Usable())
        return Start::Yes;
    const QByteArrayView after = m_window.At(end, m_framer.MaxFrameLength());
    return m_framer.FrameLength(after.data(), int(after.size())) > 0 ? Start::Yes : Start::No;
}

bool Walk::PictureOrEndAt(qint64 at) {
    return at == m_to || (MayStartNal(at) && PictureStartsAt(at, false) != Start::No);
}

qint64 Walk::SoundRunAt(qint64 at) {
    bool cutOff = false;
    for (const qint64 run : m_soundRuns) {
        if (at + run > m_to) {
            cutOff = true;
            continue;
        }
        if (PictureOrEndAt(at + run))
            return run;
        for (const qint64 next : m_soundRuns)
            if (at + run + next <= m_to && PictureOrEndAt(at + run + next))
                return run;
    }
    return cutOff ? (m_to - at) / m_soundFrameBytes * m_soundFrameBytes : 0;
}

bool Walk::PictureStartsWithin(qint64 at, QByteArrayView bytes) {
    for (qsizetype i = 1; i < bytes.size(); ++i)
        if ((m_lengthSize < 4 || bytes[i] == 0) && PictureStartsAt(at + i, true) == Start::Yes)
            return true;
    return false;
}

bool Walk::MayStartNal(qint64 at) {
    const QByteArrayView first = m_window.At(at, 1);
    return !first.isEmpty() && (m_lengthSize < 4 || first[0] == 0);
}

void Walk::CloseAccessUnit(qint64 end) {
    if (m_unitStart >= 0 && m_unitHasSlice) {
        m_unit.offset = m_unitStart;
        m_unit.size = quint32(end - m_unitStart);
        m_samples.pictures.append(m_unit);
        m_samples.end = end;
    }
    m_unitStart = -1;
    m_unitHasSlice = false;
}

void Walk::TakeSlice(const Nal& nal) {
    if (m_unitHasSlice)
        return; // the first slice of a picture speaks for all of it
    m_unitHasSlice = true;
    m_unit.key = nal.type == 5;
    if (nal.slice && nal.referenceIdc != 0)
        m_previousReferenceFrameNum = nal.slice->frameNum;
    if (!m_sps || m_sps->pocType != 0) {
        m_unit.orderCount = m_samples.pictures.size(); // shown in the order decoded
        return;
    }
    if (m_unit.key)
        m_previousMsb = m_previousLsb = 0;
    const int lsb = nal.slice ? nal.slice->pocLsb : 0;
    const int maxLsb = 1 << m_sps->log2MaxPocLsb;
    qint64 msb = m_previousMsb;
    if (lsb < m_previousLsb && m_previousLsb - lsb >= maxLsb / 2)
        msb += maxLsb;
    else if (lsb > m_previousLsb && lsb - m_previousLsb > maxLsb / 2)
        msb -= maxLsb;
    m_unit.orderCount = msb + lsb;
    if (nal.referenceIdc != 0) {
        m_previousMsb = msb;
        m_previousLsb = lsb;
    }
}

Mp4Samples Walk::Run(qint64 from, const std::atomic<bool>& cancel) {
    qint64 at = from;
    while (at < m_to && !cancel) {
        // Between pictures, a whole picture must start here; within one, a NAL unit.
        const Start start = m_unitStart >= 0 ? Start::Yes : PictureStartsAt(at, true);
        if (start == Start::CutOff)
            break;
        if (const std::optional<Nal> nal = start == Start::Yes ? NalAt(at) : std::nullopt) {
            const bool firstSlice = nal->Slice() && (!nal->slice || nal->slice->firstMb == 0);
            const bool startsUnit = m_unitHasSlice && (!nal->Slice() || firstSlice);
            if (startsUnit)
                CloseAccessUnit(at);
            if (nal->end > m_to)
                break; // cut off inside this NAL unit
            if (m_unitStart < 0)
                m_unitStart = at;
            if (nal->Slice())
                TakeSlice(*nal);
            at = nal->end;
            continue;
        }
        CloseAccessUnit(at);
        if (m_framer.Usable() && !m_samples.soundLost) {
            const QByteArrayView bytes = m_window.At(at, m_framer.MaxFrameLength());
            const int length = m_framer.FrameLength(bytes.data(), int(bytes.size()));
            if (length > 0 && !PictureStartsWithin(at, bytes.first(length))) {
                m_samples.sounds.append({at, quint32(length)});
                m_samples.end = at + length;
                at += length;
                continue;
            }
            if (length == 0 && bytes.size() < m_framer.MaxFrameLength())
                break; // cut off inside this frame
        } else if (!m_soundRuns.isEmpty() && !m_samples.soundLost) {
            if (const qint64 run = SoundRunAt(at); run > 0) {
                m_samples.sounds.append({at, quint32(run)});
                m_samples.end = at + run;
                at += run;
                continue;
            }
        }
        // Bytes that are neither: skip to where the pictures resume.
        m_samples.soundLost = m_hasSound;
        qint64 resume = at + 1;
        while (resume < m_to &&
               !(MayStartNal(resume) && PictureStartsAt(resume, false) != Start::No))
            ++resume;
        at = resume;
    }
    if (at == m_to)
        CloseAccessUnit(at);
    if (m_samples.soundLost)
        m_samples.sounds.clear();
    return std::move(m_samples);
}

} // namespace

Mp4Samples WalkMdat(QIODevice& file, qint64 from, qint64 to, const Mp4Reference& reference,
                    const std::atomic<bool>& cancel) {
    const std::optional<AvcConfig> avc = ReadAvcConfig(reference.avcConfig);
    if (!avc)
        return {};
    Mp4Samples samples = Walk(file, to, reference, *avc, true).Run(from, cancel);
    // Sound that could not be framed may have been taken for frames before that was clear, and
    // pictures with it: the pictures are found again without it.
    if (samples.soundLost)
        samples = Walk(file, to, reference, *avc, false).Run(from, cancel);
    qint64 inSamples = 0;
    for (const auto& picture : samples.pictures)
        inSamples += picture.size;
    for (const auto& sound : samples.sounds)
        inSamples += sound.size;
    samples.leftOver = (to - from) - inSamples;
    return samples;
}
