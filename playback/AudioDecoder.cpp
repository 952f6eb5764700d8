#include "playback/AudioDecoder.h"

#include "playback/MediaFile.h"
#include "playback/MediaTime.h"
#include "playback/PacketQueue.h"
#include "playback/PcmQueue.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswresample/swresample.h>
}

namespace {

constexpr qint64 MinGap = 20 * MediaTime::UnitsPerMs;
// Beyond this a jump is a broken timestamp rather than missing sound.
constexpr qint64 MaxGap = 10 * MediaTime::UnitsPerSecond;
constexpr int SilenceBlockFrames = PcmQueue::SampleRate / 10;

} // namespace

AudioDecoder::AudioDecoder(const MediaFile& file, PacketQueue& packets, PcmQueue& pcm)
    : file_(file), packets_(packets), pcm_(pcm) {}

AudioDecoder::~AudioDecoder() {
    if (thread_.joinable())
        thread_.join();
    swr_free(&resampler_);
    avcodec_free_context(&codec_);
}

bool AudioDecoder::Open() {
    const AVCodecParameters* parameters = file_.AudioStream()->codecpar;
    const AVCodec* decoder = avcodec_find_decoder(parameters->codec_id);
    if (!decoder)
        return false;
    codec_ = avcodec_alloc_context3(decoder);
    if (!codec_ || avcodec_parameters_to_context(codec_, parameters) < 0)
        return false;
    codec_->pkt_timebase = file_.AudioStream()->time_base;
    return avcodec_open2(codec_, decoder, nullptr) >= 0;
}

void AudioDecoder::Start() {
    thread_ = std::thread(&AudioDecoder::Run, this);
}

void AudioDecoder::Run() {
    PacketQueue::Item item;
    while (packets_.Pop(item)) {
        if (item.serial != serial_) {
            if (serial_ != 0)
                avcodec_flush_buffers(codec_);
            serial_ = item.serial;
            seekTarget_ = item.seekTarget;
            nextPosition_ = item.seekTarget;
            expected_ = item.seekTarget;
        }
        if (!item.packet) {
            Decode(nullptr);
            pcm_.EndOfStream(serial_);
            continue;
        }
        Decode(item.packet);
        av_packet_free(&item.packet);
    }
}

void AudioDecoder::Decode(const AVPacket* packet) {
    int sent = avcodec_send_packet(codec_, packet);
    AVFrame* frame = av_frame_alloc();
    while (frame) {
        const int received = avcodec_receive_frame(codec_, frame);
        if (received == AVERROR(EAGAIN) && sent == AVERROR(EAGAIN)) {
            sent = avcodec_send_packet(codec_, packet);
            continue;
        }
        if (received < 0)
            break;
        TakeFrame(frame);
        av_frame_unref(frame);
    }
    av_frame_free(&frame);
}

bool AudioDecoder::Resample(const AVFrame* frame) {
    if (!resampler_ || frame->sample_rate != resamplerInputRate_ ||
        frame->format != resamplerInputFormat_ ||
        frame->ch_layout.nb_channels != resamplerInputChannels_) {
        swr_free(&resampler_);
        AVChannelLayout stereo;
        av_channel_layout_default(&stereo, PcmQueue::Channels);
        if (swr_alloc_set_opts2(&resampler_, &stereo, AV_SAMPLE_FMT_S16, PcmQueue::SampleRate,
                                const_cast<AVChannelLayout*>(&frame->ch_layout),
                                AVSampleFormat(frame->format), frame->sample_rate, 0,
                                nullptr) < 0 ||
            swr_init(resampler_) < 0) {
            swr_free(&resampler_);
            return false;
        }
        resamplerInputRate_ = frame->sample_rate;
        resamplerInputFormat_ = frame->format;
        resamplerInputChannels_ = frame->ch_layout.nb_channels;
    }
    const int capacity = swr_get_out_samples(resampler_, frame->nb_samples);
    if (capacity <= 0)
        return false;
    resampled_.resize(size_t(capacity) * PcmQueue::Channels);
    uint8_t* out = reinterpret_cast<uint8_t*>(resampled_.data());
    const int converted =
        swr_convert(resampler_, &out, capacity, const_cast<const uint8_t**>(frame->extended_data),
                    frame->nb_samples);
    if (converted < 0)
        return false;
    resampled_.resize(size_t(converted) * PcmQueue::Channels);
    return true;
}

void AudioDecoder::TakeFrame(const AVFrame* frame) {
    if (frame->sample_rate <= 0 || frame->nb_samples <= 0)
        return;
    qint64 position =
        file_.PositionOf(file_.AudioStream(), frame->best_effort_timestamp, nextPosition_);
    nextPosition_ =
        position + qint64(frame->nb_samples) * MediaTime::UnitsPerSecond / frame->sample_rate;
    if (!Resample(frame))
        return;
    const qint16* samples = resampled_.data();
    qint64 frames = qint64(resampled_.size()) / PcmQueue::Channels;
    if (seekTarget_ >= 0) {
        // Sound before the seek target is cut off to the sample.
        if (nextPosition_ <= seekTarget_)
            return;
        if (position < seekTarget_) {
            const qint64 skip = std::min(frames, (seekTarget_ - position) * PcmQueue::SampleRate /
                                                     MediaTime::UnitsPerSecond);
            samples += skip * PcmQueue::Channels;
            frames -= skip;
            position = seekTarget_;
        }
        seekTarget_ = -1;
    }
    if (frames <= 0)
        return;
    FillGap(position);
    pcm_.Push(samples, int(frames), position, serial_);
    expected_ = position + frames * MediaTime::UnitsPerSecond / PcmQueue::SampleRate;
}

void AudioDecoder::FillGap(qint64 position) {
    // Sound that starts late, or has a hole, is preceded by silence: the clock follows the sound,
    // and the pictures before it must still be shown in time.
    const qint64 gap = position - expected_;
    if (gap < MinGap || gap > MaxGap)
        return;
    const std::vector<qint16> silence(size_t(SilenceBlockFrames) * PcmQueue::Channels, 0);
    for (qint64 filled = 0; filled < gap;) {
        const qint64 frames = std::min<qint64>(
            SilenceBlockFrames, (gap - filled) * PcmQueue::SampleRate / MediaTime::UnitsPerSecond);
        if (frames <= 0 || !pcm_.Push(silence.data(), int(frames), expected_ + filled, serial_))
            return;
        filled += frames * MediaTime::UnitsPerSecond / PcmQueue::SampleRate;
    }
}
