#pragma once

#include "playback/PacketDecoder.h"

#include <QtGlobal>
#include <vector>

struct AVFrame;
struct SwrContext;
class MediaFile;
class PacketQueue;
class PcmQueue;

// The sound decoding thread: decodes, resamples to PcmQueue's format, drops what lies before a
// seek target and fills holes with silence.
class AudioDecoder {
public:
    AudioDecoder(const MediaFile& file, PacketQueue& packets, PcmQueue& pcm);
    ~AudioDecoder();

    bool Open();
    void Start();

private:
    void TakeFrame(const AVFrame* frame);
    bool Resample(const AVFrame* frame);
    void FillGap(qint64 position);

    const MediaFile& m_file;
    PcmQueue& m_pcm;

    // On the decoding thread only.
    SwrContext* m_resampler = nullptr;
    int m_resamplerInputRate = 0;
    int m_resamplerInputFormat = -1;
    int m_resamplerInputChannels = 0;
    std::vector<qint16> m_resampled;
    int m_serial = 0;
    qint64 m_seekTarget = -1;
    qint64 m_nextPosition = 0; // of the next decoded frame when it carries no timestamp
    qint64 m_expected = 0;     // where the sound pushed so far ends

    PacketDecoder m_decoder; // last: its thread goes before the state it uses
};
