#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <functional>
#include <optional>

class QIODevice;

// What a camera writes the same way into every MP4 it finishes: how its pictures and its sound
// are coded and counted. A recording the camera never finished borrows it from a finished one.
struct Mp4TrackSetup {
    QByteArray sampleDescription; // the stsd box, whole
    quint32 timescale = 0;
    quint32 sampleDelta = 0; // the first sample's duration
    quint32 largestSample = 0;
    qint64 mediaTime = 0;            // where the edit list starts showing the track
    bool compositionOffsets = false; // ctts: pictures are shown in another order than decoded
    quint32 width = 0;               // 16.16, as tkhd has them
    quint32 height = 0;
    QList<qint64> chunkOffsets; // where its chunks lie in the reference
    qint64 bytes = 0;           // of all its samples
    qint64 duration = 0;        // of all its samples, in its time scale
};

struct Mp4Reference {
    QString path;
    Mp4TrackSetup video;
    std::optional<Mp4TrackSetup> audio;
    QByteArray avcConfig;   // the avcC box's body
    QByteArray audioConfig; // AAC's AudioSpecificConfig; empty for any other sound
    // For sound whose bytes do not say where a frame ends (PCM): the lengths of its runs between
    // pictures in the reference, the most common first, and the bytes in a unit of its time.
    QList<qint64> soundRuns;
    double soundBytesPerTick = 0;
};

// The setup of a finished MP4 with H.264 pictures; nullopt, with `error`, for anything else.
std::optional<Mp4Reference> ReadMp4Reference(QIODevice& file, QString& error);
std::optional<Mp4Reference> ReadMp4Reference(const QString& path, QString& error);

// The reference for `cutPath`: the one given for it, else the finished MP4 in its folder
// recorded nearest in time (by the time in its name, else its modification time) that `fits`
// the recording. Nullopt, with `error`, when there is none.
std::optional<Mp4Reference> FindMp4Reference(const QString& cutPath,
                                             const std::function<bool(const Mp4Reference&)>& fits,
                                             QString& error);
// Gives the reference for a cut recording (the command line's --reference); an empty
// reference forgets it.
void SetMp4Reference(const QString& cutPath, const QString& referencePath);
