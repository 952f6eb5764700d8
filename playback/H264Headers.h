#pragma once

#include <QByteArray>
#include <QList>
#include <optional>

// The few words of H.264 parameter sets and slice headers a recording without its sample tables
// needs: where a picture starts and in which order pictures are shown.
struct H264SequenceSet {
    int log2MaxFrameNum = 4;
    int pocType = 0;
    int log2MaxPocLsb = 4;
    bool frameMbsOnly = true;
    bool separateColourPlane = false;
};

struct H264SliceStart {
    int firstMb = 0;
    int pictureSet = 0; // the picture parameter set's id
    int frameNum = 0;
    int pocLsb = 0; // only with picture order type 0
};

// `nal` holds one NAL unit with its header byte; nullopt when it is no sequence parameter set
// that can be read.
std::optional<H264SequenceSet> ReadSequenceSet(const QByteArray& nal);
// The start of a slice NAL unit (type 1 or 5), read as far as the picture order count; nullopt
// when the words make no sense. Without `sps`, only the first macroblock is read.
std::optional<H264SliceStart> ReadSliceStart(const char* nal, qsizetype size,
                                             const H264SequenceSet* sps);
// The first sequence parameter set of an avcC box's body, the ids of its picture parameter
// sets, and its NAL length size (1, 2 or 4).
struct AvcConfig {
    int lengthSize = 4;
    std::optional<H264SequenceSet> sps;
    QList<int> pictureSets;
};
std::optional<AvcConfig> ReadAvcConfig(const QByteArray& avcC);
