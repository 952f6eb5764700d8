#pragma once

#include <QtGlobal>
#include <thread>
#include <vector>

struct AVCodecContext;
struct AVPacket;
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
    void Run();
    void Decode(const AVPacket* packet);
    void TakeFrame(const AVFrame* frame);
    bool Resample(const AVFrame* frame);
    void FillGap(qint64 position);

    const MediaFile& file_;
    PacketQueue& packets_;
    PcmQueue& pcm_;
    AVCodecContext* codec_ = nullptr;
    std::thread thread_;

    // On the thread only.
    SwrContext* resampler_ = nullptr;
    int resamplerInputRate_ = 0;
    int resamplerInputFormat_ = -1;
    int resamplerInputChannels_ = 0;
    std::vector<qint16> resampled_;
    int serial_ = 0;
    qint64 seekTarget_ = -1;
    qint64 nextPosition_ = 0; // of the next decoded frame when it carries no timestamp
    qint64 expected_ = 0;     // where the sound pushed so far ends
};
