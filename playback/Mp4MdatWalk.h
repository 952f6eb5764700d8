#pragma once

#include <QList>
#include <atomic>

class QIODevice;
struct Mp4Reference;

// The samples found in the mdat of an MP4 that lost its moov box, in the order they lie there.
struct Mp4Samples {
    struct Picture {
        qint64 offset;
        quint32 size;
        bool key;          // starts with an IDR slice
        qint64 orderCount; // the picture order count: pictures are shown by it
    };
    struct Sound {
        qint64 offset;
        quint32 size;
    };
    QList<Picture> pictures;
    QList<Sound> sounds;
    // The recording has sound that could not be cut into frames with confidence: the pictures
    // play alone.
    bool soundLost = false;
    qint64 end = 0;      // where the last whole sample ends
    qint64 leftOver = 0; // bytes of the mdat in no sample
};

// One pass over the mdat's bytes from `from` to `to`. Pictures are length-prefixed H.264 NAL
// units of plausible types and sizes, gathered into access units; the bytes between them are
// the reference's AAC frames. A sample cut off at `to` is left out. `cancel` stops the pass
// early with what was found so far.
Mp4Samples WalkMdat(QIODevice& file, qint64 from, qint64 to, const Mp4Reference& reference,
                    const std::atomic<bool>& cancel);
