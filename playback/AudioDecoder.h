#pragma once

#include "playback/TempoFilter.h"

#include <QtGlobal>
#include <atomic>
#include <memory>
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
// seek target and, at rates other than 1, stretches the sound in time without changing its pitch.
class AudioDecoder {
public:
    AudioDecoder(const MediaFile& file, PacketQueue& packets, PcmQueue& pcm);
    ~AudioDecoder();

    bool Open();
    void Start();
    void SetRate(double rate) { rate_ = rate; }

private:
    void Run();
    void Decode(const AVPacket* packet);
    void TakeFrame(const AVFrame* frame);
    bool Resample(const AVFrame* frame);
    void Deliver(const qint16* samples, int frames, qint64 position);
    void DrainTempo();

    const MediaFile& file_;
    PacketQueue& packets_;
    PcmQueue& pcm_;
    AVCodecContext* codec_ = nullptr;
    std::thread thread_;
    std::atomic<double> rate_ = 1.0;

    // On the thread only.
    SwrContext* resampler_ = nullptr;
    int resamplerInputRate_ = 0;
    int resamplerInputFormat_ = -1;
    int resamplerInputChannels_ = 0;
    std::vector<qint16> resampled_;
    std::vector<qint16> stretched_;
    std::unique_ptr<TempoFilter> tempo_;
    int serial_ = 0;
    qint64 seekTarget_ = -1;
    qint64 nextPosition_ = 0;
};
