#include "playback/CutMp4.h"

#include "playback/Mp4Boxes.h"
#include "playback/Mp4MdatWalk.h"
#include "playback/Mp4MoovBuilder.h"
#include "playback/Mp4Reference.h"

#include <QIODevice>
#include <QtEndian>
#include <algorithm>
#include <cstring>

extern "C" {
#include <libavcodec/avcodec.h>
}

namespace {

constexpr int MaxTopLevelBoxes = 1000;
// Enough of the mdat to hold the first picture of a camera's recording and the sound before it.
constexpr qint64 ProbeBytes = 16 * 1024 * 1024;

struct MdatPlace {
    qint64 start = -1; // of its header
    int headerSize = 8;
    qint64 end = 0; // of its bytes as far as the file holds them
};

MdatPlace FindMdat(QIODevice& file) {
    const qint64 fileSize = file.size();
    qint64 at = 0;
    for (int boxes = 0; at + 8 <= fileSize && boxes < MaxTopLevelBoxes; ++boxes) {
        char header[16];
        if (!file.seek(at) || file.read(header, 8) != 8)
            break;
        qint64 size = qFromBigEndian<quint32>(header);
        int headerSize = 8;
        if (size == 1) {
            if (file.read(header + 8, 8) != 8)
                break;
            size = qint64(qFromBigEndian<quint64>(header + 8) & 0x7FFFFFFFFFFFFFFF);
            headerSize = 16;
        }
        // Size 0 runs to the end of the file, as does a size the power cut left stale.
        if (size == 0 || at + size > fileSize)
            size = fileSize - at;
        if (size < headerSize)
            break;
        if (QByteArray(header + 4, 4) == "mdat")
            return {at, headerSize, at + size};
        at += size;
    }
    return {};
}

QByteArray SizeWord(const MdatPlace& mdat, qint64 size) {
    QByteArray word;
    if (mdat.headerSize == 16)
        AppendWord64(word, quint64(size));
    else
        AppendWord32(word, quint32(size));
    return word;
}

Mp4RepairCheck Repair(QIODevice& file, const MdatPlace& mdat, const Mp4Reference& reference,
                      const std::atomic<bool>& cancel) {
    const Mp4Samples samples =
        WalkMdat(file, mdat.start + mdat.headerSize, mdat.end, reference, cancel);
    if (cancel)
        return {std::nullopt, QStringLiteral("cancelled")};
    if (samples.pictures.isEmpty())
        return {std::nullopt, QStringLiteral("no whole picture lies in its mdat box")};
    const qint64 mdatSize = samples.end - mdat.start;
    if (mdat.headerSize == 8 && mdatSize > 0xFFFFFFFF)
        return {std::nullopt, QStringLiteral("its mdat box is too long for its header")};
    Mp4Repair repair;
    repair.referencePath = reference.path;
    repair.keptBytes = samples.end;
    repair.mdatSizeOffset = mdat.headerSize == 16 ? mdat.start + 8 : mdat.start;
    repair.mdatSize = SizeWord(mdat, mdatSize);
    const BuiltMoov built = BuildMoov(samples, reference);
    repair.moov = built.moov;
    repair.pictures = int(samples.pictures.size());
    repair.seconds = built.seconds;
    repair.sound = built.sound;
    repair.soundLost = samples.soundLost;
    repair.leftOver = samples.leftOver + (file.size() - mdat.end);
    return {std::move(repair), {}};
}

// Whether the reference's decoder setup decodes the first picture of the recording without an
// error: a reference from another camera, or from the same one set otherwise, does not.
bool DecodesFirstPicture(QIODevice& file, const MdatPlace& mdat, Mp4Reference reference) {
    reference.audio.reset(); // the pictures alone are found faster
    reference.audioConfig.clear();
    const std::atomic<bool> never = false;
    const qint64 from = mdat.start + mdat.headerSize;
    const Mp4Samples samples =
        WalkMdat(file, from, std::min(mdat.end, from + ProbeBytes), reference, never);
    if (samples.pictures.isEmpty() || !file.seek(samples.pictures.first().offset))
        return false;
    const QByteArray picture = file.read(samples.pictures.first().size);
    const AVCodec* codec = avcodec_find_decoder(AV_CODEC_ID_H264);
    AVCodecContext* decoder = codec ? avcodec_alloc_context3(codec) : nullptr;
    AVPacket* packet = av_packet_alloc();
    AVFrame* frame = av_frame_alloc();
    bool decoded = false;
    if (decoder && packet && frame && av_new_packet(packet, int(picture.size())) == 0) {
        std::copy(picture.begin(), picture.end(), packet->data);
        decoder->extradata = static_cast<uint8_t*>(
            av_mallocz(size_t(reference.avcConfig.size()) + AV_INPUT_BUFFER_PADDING_SIZE));
        if (decoder->extradata) {
            std::copy(reference.avcConfig.begin(), reference.avcConfig.end(), decoder->extradata);
            decoder->extradata_size = int(reference.avcConfig.size());
        }
        decoder->err_recognition = AV_EF_EXPLODE;
        decoder->log_level_offset = AV_LOG_TRACE; // a setup that does not fit is no news
        decoder->thread_count = 1;
        decoded = decoder->extradata && avcodec_open2(decoder, codec, nullptr) == 0 &&
                  avcodec_send_packet(decoder, packet) == 0 &&
                  avcodec_send_packet(decoder, nullptr) == 0 &&
                  avcodec_receive_frame(decoder, frame) == 0 && frame->decode_error_flags == 0;
    }
    av_frame_free(&frame);
    av_packet_free(&packet);
    avcodec_free_context(&decoder);
    return decoded;
}

} // namespace

qint64 Mp4Repair::Read(QIODevice& file, qint64 offset, char* data, qint64 length) const {
    length = std::clamp<qint64>(Size() - offset, 0, length);
    const qint64 fromFile = std::clamp<qint64>(keptBytes - offset, 0, length);
    if (fromFile > 0 && (!file.seek(offset) || file.read(data, fromFile) != fromFile))
        return -1;
    // The mdat's size as written over what the file says.
    const qint64 patchEnd = mdatSizeOffset + mdatSize.size();
    for (qint64 at = std::max(offset, mdatSizeOffset); at < std::min(offset + length, patchEnd);
         ++at)
        data[at - offset] = mdatSize[at - mdatSizeOffset];
    if (length > fromFile)
        std::memcpy(data + fromFile, moov.constData() + (offset + fromFile - keptBytes),
                    size_t(length - fromFile));
    return length;
}

QString Mp4Repair::Summary() const {
    const QString sound = this->sound ? QStringLiteral("with sound")
                          : soundLost ? QStringLiteral("without sound (it could not be framed)")
                                      : QStringLiteral("without sound");
    return QStringLiteral("%1 frames, %2 s, %3, %4 bytes left over")
        .arg(pictures)
        .arg(seconds, 0, 'f', 3)
        .arg(sound)
        .arg(leftOver);
}

Mp4RepairCheck RepairCutMp4(QIODevice& file, const QString& path, const std::atomic<bool>& cancel) {
    const MdatPlace mdat = FindMdat(file);
    if (mdat.start < 0)
        return {std::nullopt, QStringLiteral("it has no mdat box")};
    QString error;
    const std::optional<Mp4Reference> reference = FindMp4Reference(
        path,
        [&](const Mp4Reference& candidate) { return DecodesFirstPicture(file, mdat, candidate); },
        error);
    if (!reference)
        return {std::nullopt, error};
    return Repair(file, mdat, *reference, cancel);
}
