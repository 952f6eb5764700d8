#pragma once

#include <QByteArray>
#include <QString>
#include <atomic>
#include <optional>

class QIODevice;

// An MP4 the camera never finished, as a whole MP4: the file's bytes up to its last whole
// sample, the mdat's size as it should have been written, and a moov box built from one walk
// over the mdat with the reference's codec setup. The file itself is never written.
struct Mp4Repair {
    qint64 keptBytes = 0;
    qint64 mdatSizeOffset = 0;
    QByteArray mdatSize; // the mdat header's size word (or 64-bit size) as it should read
    QByteArray moov;
    QString referencePath; // whose setup the moov has

    // What was recovered.
    int pictures = 0;
    double seconds = 0;
    bool sound = false;
    bool soundLost = false; // there was sound, but it could not be cut into frames
    qint64 leftOver = 0;    // bytes of the file in no sample

    qint64 Size() const { return keptBytes + moov.size(); }
    // Reads the view; the number of bytes read, -1 when the file cannot be read.
    qint64 Read(QIODevice& file, qint64 offset, char* data, qint64 length) const;
    // One line for people: frames, seconds, sound, bytes left over.
    QString Summary() const;
};

struct Mp4RepairCheck {
    std::optional<Mp4Repair> repair;
    QString error; // why nothing could be recovered
};

// Rebuilds the MP4 at `path`, opened as `file`, with the reference given for it or found
// beside it (Mp4Reference.h) whose setup decodes its first picture. `cancel` stops the walk (the
// result is then an error).
Mp4RepairCheck RepairCutMp4(QIODevice& file, const QString& path, const std::atomic<bool>& cancel);
