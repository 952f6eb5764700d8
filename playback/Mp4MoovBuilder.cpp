#include "playback/Mp4MoovBuilder.h"

#include "playback/Mp4Boxes.h"
#include "playback/Mp4MdatWalk.h"
#include "playback/Mp4Reference.h"

#include <QList>
#include <algorithm>
#include <cmath>
#include <numeric>

namespace {

constexpr quint32 VideoTrackId = 1;
constexpr quint32 SoundTrackId = 2;
constexpr quint16 Undetermined = 0x55C4; // "und", packed as ISO 639-2 wants it

struct Sample {
    qint64 offset;
    quint32 size;
};

// What one track of the built moov holds.
struct TrackPlan {
    quint32 id = 0;
    const char* handler = "";
    const Mp4TrackSetup* setup = nullptr;
    QList<Sample> samples;
    QList<quint32> keys;             // 1-based sample numbers, pictures only
    QList<quint32> compositionDelta; // per sample, empty when shown as decoded
    QList<quint32> durations;        // per sample, empty when all last the reference's delta
    qint64 mediaTime = 0;
    qint64 shown = 0; // in the movie's time scale
};

QByteArray Matrix() {
    QByteArray matrix;
    for (quint32 word : {0x10000u, 0u, 0u, 0u, 0x10000u, 0u, 0u, 0u, 0x40000000u})
        AppendWord32(matrix, word);
    return matrix;
}

QByteArray MovieHeader(quint32 timescale, qint64 duration) {
    QByteArray body;
    AppendWord32(body, 0); // created
    AppendWord32(body, 0); // modified
    AppendWord32(body, timescale);
    AppendWord32(body, quint32(duration));
    AppendWord32(body, 0x10000); // rate 1.0
    AppendWord16(body, 0x100);   // volume 1.0
    body.append(10, '\0');
    body.append(Matrix());
    body.append(24, '\0');
    AppendWord32(body, SoundTrackId + 1);
    return MakeFullBox("mvhd", 0, 0, body);
}

QByteArray TrackHeader(const TrackPlan& track) {
    QByteArray body;
    AppendWord32(body, 0);
    AppendWord32(body, 0);
    AppendWord32(body, track.id);
    AppendWord32(body, 0);
    AppendWord32(body, quint32(track.shown));
    body.append(8, '\0');
    AppendWord16(body, 0); // layer
    AppendWord16(body, 0); // alternate group
    AppendWord16(body, track.id == SoundTrackId ? 0x100 : 0);
    AppendWord16(body, 0);
    body.append(Matrix());
    AppendWord32(body, track.setup->width);
    AppendWord32(body, track.setup->height);
    return MakeFullBox("tkhd", 0, 3, body); // enabled, in the movie
}

QByteArray EditList(const TrackPlan& track) {
    QByteArray body;
    AppendWord32(body, 1);
    AppendWord32(body, quint32(track.shown));
    AppendWord32(body, quint32(track.mediaTime));
    AppendWord32(body, 0x10000);
    return MakeBox("edts", MakeFullBox("elst", 0, 0, body));
}

qint64 MediaDuration(const TrackPlan& track) {
    if (track.durations.isEmpty())
        return qint64(track.samples.size()) * track.setup->sampleDelta;
    return std::accumulate(track.durations.begin(), track.durations.end(), qint64(0));
}

// Equal neighbours as one entry, as stts and ctts count them.
QByteArray RunsOf(const QList<quint32>& values) {
    QByteArray runs;
    quint32 entries = 0;
    for (qsizetype i = 0; i < values.size();) {
        qsizetype j = i;
        while (j < values.size() && values[j] == values[i])
            ++j;
        AppendWord32(runs, quint32(j - i));
        AppendWord32(runs, values[i]);
        ++entries;
        i = j;
    }
    QByteArray body;
    AppendWord32(body, entries);
    return body + runs;
}

QByteArray MediaHeader(const TrackPlan& track) {
    QByteArray body;
    AppendWord32(body, 0);
    AppendWord32(body, 0);
    AppendWord32(body, track.setup->timescale);
    AppendWord32(body, quint32(MediaDuration(track)));
    AppendWord16(body, Undetermined);
    AppendWord16(body, 0);
    return MakeFullBox("mdhd", 0, 0, body);
}

QByteArray Handler(const TrackPlan& track) {
    QByteArray body;
    AppendWord32(body, 0);
    body.append(track.handler, 4);
    body.append(12, '\0');
    body.append('\0'); // no name
    return MakeFullBox("hdlr", 0, 0, body);
}

QByteArray SampleTable(const TrackPlan& track, bool longOffsets) {
    const auto count = quint32(track.samples.size());
    const QList<quint32> durations = track.durations.isEmpty()
                                         ? QList<quint32>(count, track.setup->sampleDelta)
                                         : track.durations;
    QByteArray table =
        track.setup->sampleDescription + MakeFullBox("stts", 0, 0, RunsOf(durations));
    if (!track.compositionDelta.isEmpty())
        table += MakeFullBox("ctts", 0, 0, RunsOf(track.compositionDelta));
    if (track.id == VideoTrackId) {
        QByteArray body;
        AppendWord32(body, quint32(track.keys.size()));
        for (quint32 key : track.keys)
            AppendWord32(body, key);
        table += MakeFullBox("stss", 0, 0, body);
    }
    QByteArray sizes, chunks, offsets;
    AppendWord32(sizes, 0);
    AppendWord32(sizes, count);
    AppendWord32(offsets, count);
    for (const Sample& sample : track.samples) {
        AppendWord32(sizes, sample.size);
        if (longOffsets)
            AppendWord64(offsets, quint64(sample.offset));
        else
            AppendWord32(offsets, quint32(sample.offset));
    }
    // Every sample a chunk of its own: the simplest table that is right.
    AppendWord32(chunks, 1);
    for (quint32 word : {1u, 1u, 1u})
        AppendWord32(chunks, word);
    table += MakeFullBox("stsz", 0, 0, sizes) + MakeFullBox("stsc", 0, 0, chunks) +
             MakeFullBox(longOffsets ? "co64" : "stco", 0, 0, offsets);
    return MakeBox("stbl", table);
}

QByteArray Track(const TrackPlan& track, bool longOffsets) {
    const bool video = track.id == VideoTrackId;
    QByteArray header;
    if (video) {
        header = MakeFullBox("vmhd", 0, 1, QByteArray(8, '\0'));
    } else {
        header = MakeFullBox("smhd", 0, 0, QByteArray(4, '\0'));
    }
    QByteArray url = MakeFullBox("url ", 0, 1, {}); // the samples are in this file
    QByteArray references;
    AppendWord32(references, 1);
    const QByteArray information = header +
                                   MakeBox("dinf", MakeFullBox("dref", 0, 0, references + url)) +
                                   SampleTable(track, longOffsets);
    const QByteArray media = MediaHeader(track) + Handler(track) + MakeBox("minf", information);
    return MakeBox("trak", TrackHeader(track) + EditList(track) + MakeBox("mdia", media));
}

// Where each picture is shown, in frames from the first, by its order count: a group of
// pictures starts where its key picture is decoded, and the counts step on by the smallest step
// between them, so that a picture the cut left out keeps its place empty.
QList<qint64> ShownAt(const QList<Mp4Samples::Picture>& pictures) {
    QList<std::pair<qsizetype, qsizetype>> groups; // first picture, end
    for (qsizetype first = 0; first < pictures.size();) {
        qsizetype end = first + 1;
        while (end < pictures.size() && !pictures[end].key)
            ++end;
        groups.append({first, end});
        first = end;
    }
    qint64 step = 0;
    for (const auto& [first, end] : groups) {
        QList<qint64> counts;
        for (qsizetype i = first; i < end; ++i)
            counts.append(pictures[i].orderCount);
        std::sort(counts.begin(), counts.end());
        for (qsizetype i = 1; i < counts.size(); ++i)
            if (const qint64 difference = counts[i] - counts[i - 1]; difference > 0)
                step = step == 0 ? difference : std::min(step, difference);
    }
    QList<qint64> shown(pictures.size());
    for (const auto& [first, end] : groups) {
        qint64 lowest = pictures[first].orderCount;
        for (qsizetype i = first; i < end; ++i)
            lowest = std::min(lowest, pictures[i].orderCount);
        for (qsizetype i = first; i < end; ++i)
            shown[i] = first + (pictures[i].orderCount - lowest) / std::max<qint64>(step, 1);
    }
    return shown;
}

} // namespace

BuiltMoov BuildMoov(const Mp4Samples& samples, const Mp4Reference& reference) {
    TrackPlan video;
    video.id = VideoTrackId;
    video.handler = "vide";
    video.setup = &reference.video;
    for (qsizetype i = 0; i < samples.pictures.size(); ++i) {
        const Mp4Samples::Picture& picture = samples.pictures[i];
        video.samples.append({picture.offset, picture.size});
        if (picture.key)
            video.keys.append(quint32(i + 1));
    }
    const quint32 frame = reference.video.sampleDelta;
    qint64 frames = samples.pictures.size();
    if (reference.video.compositionOffsets) {
        const QList<qint64> shown = ShownAt(samples.pictures);
        // Every picture is shown at or after its decoding: the delay before the first is shown.
        qint64 delay = 0;
        for (qsizetype i = 0; i < shown.size(); ++i) {
            delay = std::max(delay, i - shown[i]);
            frames = std::max(frames, shown[i] + 1);
        }
        for (qsizetype i = 0; i < shown.size(); ++i)
            video.compositionDelta.append(quint32((shown[i] - i + delay) * frame));
        video.mediaTime = delay * frame;
    }
    // The movie counts in the pictures' time scale, so that their length is exact.
    const quint32 movieScale = reference.video.timescale;
    video.shown = frames * frame;

    QList<TrackPlan> tracks{video};
    if (reference.audio && !samples.sounds.isEmpty()) {
        TrackPlan sound;
        sound.id = SoundTrackId;
        sound.handler = "soun";
        sound.setup = &*reference.audio;
        for (const auto& s : samples.sounds)
            sound.samples.append({s.offset, s.size});
        // Sound without frames of its own lasts as long as its bytes.
        if (reference.audioConfig.isEmpty() && reference.soundBytesPerTick > 0)
            for (const auto& s : samples.sounds)
                sound.durations.append(quint32(std::lround(s.size / reference.soundBytesPerTick)));
        sound.mediaTime = reference.audio->mediaTime;
        const qint64 media = MediaDuration(sound);
        // The recording is as long as its pictures: the last sound frame's padding is not shown.
        sound.shown = std::min(video.shown, std::max<qint64>(0, media - sound.mediaTime) *
                                                movieScale / reference.audio->timescale);
        if (sound.shown > 0)
            tracks.append(sound);
    }
    const qint64 lastByte = std::max(samples.pictures.last().offset,
                                     samples.sounds.isEmpty() ? 0 : samples.sounds.last().offset);
    const bool longOffsets = lastByte > 0xFFFFFFFF;
    QByteArray body = MovieHeader(movieScale, video.shown);
    for (const TrackPlan& track : tracks)
        body += Track(track, longOffsets);
    return {MakeBox("moov", body), double(video.shown) / movieScale, tracks.size() > 1};
}
