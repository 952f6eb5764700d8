#pragma once

#include <QByteArray>

struct Mp4Reference;
struct Mp4Samples;

struct BuiltMoov {
    QByteArray moov;
    double seconds = 0; // the length the moov declares
    bool sound = false;
};

// The moov box a camera would have written for these samples: the reference's codec setup and
// time scales, a chunk per sample, the order pictures are shown in where the reference has one.
BuiltMoov BuildMoov(const Mp4Samples& samples, const Mp4Reference& reference);
