#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <atomic>
#include <optional>

class QIODevice;

// An AVI as the camera leaves it when the power goes: no idx1 index, sizes and frame counts never
// written, or the file cut off in the middle of a chunk. The repair is a view of the file: the
// complete chunks it holds, the header words a finished file would have, and an idx1 index built
// from one pass over the chunk headers. The file itself is never written.
struct AviRepair {
    struct Patch {
        qint64 offset;
        quint32 value; // little-endian on disk
    };
    qint64 keptBytes = 0; // the file's bytes from its start that the view shows
    QList<Patch> patches;
    QByteArray index; // the idx1 chunk that follows the kept bytes

    qint64 Size() const { return keptBytes + index.size(); }
    // Reads the view; the number of bytes read, -1 when the file cannot be read.
    qint64 Read(QIODevice& file, qint64 offset, char* data, qint64 length) const;
};

struct AviCheck {
    std::optional<AviRepair> repair; // absent when the file is whole (or no AVI at all)
    QString error;                   // why the file holds nothing to play; empty otherwise
};

// Reads what is needed of an opened AVI to tell whether it needs the repair. `cancel` stops the
// pass (the result is then an error).
AviCheck CheckAvi(QIODevice& file, const std::atomic<bool>& cancel);

// Whether the H.264 picture of a video chunk (Annex B or length-prefixed) starts a key frame: an
// IDR slice, or a sequence parameter set before the first slice.
bool StartsKeyFrame(const QByteArray& chunkStart);
