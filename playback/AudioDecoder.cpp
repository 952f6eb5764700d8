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
    : m_file(file), m_pcm(pcm), m_decoder(packets) {}

AudioDecoder::~AudioDecoder() {
    m_decoder.Join();
    swr_free(&m_resampler);
}

bool AudioDecoder::Open() {
    const AVStream* stream = m_file.AudioStream();
    return m_decoder.Open(stream, avcodec_find_decoder(stream->codecpar->codec_id));
}

void AudioDecoder::Start() {
    m_decoder.Start({[this](int serial, qint64 seekTarget) {
                         m_serial = serial;
                         m_seekTarget = seekTarget;
                         m_nextPosition = seekTarget;
                         m_expected = seekTarget;
                     },
                     [this](FramePtr frame) { TakeFrame(frame.get()); },
                     [this](int serial) { m_pcm.EndOfStream(serial); },
                     {}});
}

bool AudioDecoder::Resample(const AVFrame* frame) {
    if (!m_resampler || frame->sample_rate != m_resamplerInputRate ||
        frame->format != m_resamplerInputFormat ||
        frame->ch_layout.nb_channels != m_resamplerInputChannels) {
        swr_free(&m_resampler);
        AVChannelLayout stereo;
        av_channel_layout_default(&stereo, PcmQueue::Channels);
        if (swr_alloc_set_opts2(&m_resampler, &stereo, AV_SAMPLE_FMT_S16, PcmQueue::SampleRate,
                                const_cast<AVChannelLayout*>(&frame->ch_layout),
                                AVSampleFormat(frame->format), frame->sample_rate, 0,
                                nullptr) < 0 ||
            swr_init(m_resampler) < 0) {
            swr_free(&m_resampler);
            return false;
        }
        m_resamplerInputRate = frame->sample_rate;
        m_resamplerInputFormat = frame->format;
        m_resamplerInputChannels = frame->ch_layout.nb_channels;
    }
    const int capacity = swr_get_out_samples(m_resampler, frame->nb_samples);
    if (capacity <= 0)
        return false;
    m_resampled.resize(size_t(capacity) * PcmQueue::Channels);
    uint8_t* out = reinterpret_cast<uint8_t*>(m_resampled.data());
    const int converted =
        swr_convert(m_resampler, &out, capacity, const_cast<const uint8_t**>(frame->extended_data),
                    frame->nb_samples);
    if (converted < 0)
        return false;
    m_resampled.resize(size_t(converted) * PcmQueue::Channels);
    return true;
}

void AudioDecoder::TakeFrame(const AVFrame* frame) {
    if (frame->sample_rate <= 0 || frame->nb_samples <= 0)
        return;
    qint64 position =
        m_file.PositionOf(m_file.AudioStream(), frame->best_effort_timestamp, m_nextPosition);
    m_nextPosition =
        position + qint64(frame->nb_samples) * MediaTime::UnitsPerSecond / frame->sample_rate;
    if (!Resample(frame))
        return;
    const qint16* samples = m_resampled.data();
    qint64 frames = qint64(m_resampled.size()) / PcmQueue::Channels;
    if (m_seekTarget >= 0) {
        // Sound before the seek target is cut off to the sample.
        if (m_nextPosition <= m_seekTarget)
            return;
        if (position < m_seekTarget) {
            const qint64 skip = std::min(frames, (m_seekTarget - position) * PcmQueue::SampleRate /
                                                     MediaTime::UnitsPerSecond);
            samples += skip * PcmQueue::Channels;
            frames -= skip;
            position = m_seekTarget;
        }
        m_seekTarget = -1;
    }
    if (frames <= 0)
        return;
    FillGap(position);
    m_pcm.Push(samples, int(frames), position, m_serial);
    m_expected = position + frames * MediaTime::UnitsPerSecond / PcmQueue::SampleRate;
}

void AudioDecoder::FillGap(qint64 position) {
    // Sound that starts late, or has a hole, is preceded by silence: the clock follows the sound,
    // and the pictures before it must still be shown in time.
    const qint64 gap = position - m_expected;
    if (gap < MinGap || gap > MaxGap)
        return;
    const std::vector<qint16> silence(size_t(SilenceBlockFrames) * PcmQueue::Channels, 0);
    for (qint64 filled = 0; filled < gap;) {
        const qint64 frames = std::min<qint64>(
            SilenceBlockFrames, (gap - filled) * PcmQueue::SampleRate / MediaTime::UnitsPerSecond);
        if (frames <= 0 || !m_pcm.Push(silence.data(), int(frames), m_expected + filled, m_serial))
            return;
        filled += frames * MediaTime::UnitsPerSecond / PcmQueue::SampleRate;
    }
}
