#include "playback/QtAudioDevice.h"

#include "playback/PcmQueue.h"

#include <algorithm>

namespace {

// Short enough that a seek or a pause is heard at once, long enough not to stutter.
constexpr int DeviceBufferMs = 100;

QAudioFormat PcmFormat() {
    QAudioFormat format;
    format.setSampleRate(PcmQueue::SampleRate);
    format.setChannelCount(PcmQueue::Channels);
    format.setSampleFormat(QAudioFormat::Int16);
    return format;
}

} // namespace

QtAudioDevice::QtAudioDevice(const QAudioDevice& device, PcmQueue* queue)
    : m_device(device), m_queue(queue) {}

QtAudioDevice::~QtAudioDevice() {
    if (m_sink) {
        m_resetting = true;
        m_sink->stop();
        delete m_sink;
    }
}

bool QtAudioDevice::Open() {
    if (m_device.isNull() || !m_device.isFormatSupported(PcmFormat()))
        return false;
    QIODevice::open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    m_sink = new QAudioSink(m_device, PcmFormat(), this);
    m_sink->setBufferSize(qsizetype(PcmQueue::SampleRate) * PcmQueue::BytesPerFrame *
                          DeviceBufferMs / 1000);
    connect(m_sink, &QAudioSink::stateChanged, this, &QtAudioDevice::OnStateChanged);
    return true;
}

void QtAudioDevice::StartSink() {
    // A stream is opened only to play: one opened paused stalls when it first resumes.
    m_resetting = true;
    m_sink->start(this);
    m_resetting = false;
    m_started = m_sink->error() == QAudio::NoError && m_sink->state() != QAudio::StoppedState;
    if (!m_started)
        m_failed = true;
    std::lock_guard lock(m_mutex);
    m_streamStart = m_framesRead;
    m_heardAtMeasure = m_framesRead;
    m_measured.start();
    m_interpolate = false;
}

void QtAudioDevice::SetPlaying(bool playing) {
    if (!m_sink || playing == m_playing || m_failed)
        return;
    m_playing = playing;
    if (!m_started) {
        if (playing)
            StartSink();
        return;
    }
    if (playing)
        m_sink->resume();
    else
        m_sink->suspend();
    TakeSnapshot();
}

qint64 QtAudioDevice::HeardFrames() const {
    std::lock_guard lock(m_mutex);
    qint64 heard = m_heardAtMeasure;
    if (m_interpolate)
        heard += m_measured.nsecsElapsed() * PcmQueue::SampleRate / 1'000'000'000;
    // What has been heard never shrinks, even when a measurement comes in late.
    m_reported = std::max(m_reported, std::min(heard, m_framesRead));
    return m_reported;
}

qint64 QtAudioDevice::readData(char* data, qint64 maxSize) {
    const qint64 bytes = m_queue->Read(data, maxSize);
    {
        std::lock_guard lock(m_mutex);
        m_framesRead += bytes / PcmQueue::BytesPerFrame;
    }
    TakeSnapshot();
    return bytes;
}

void QtAudioDevice::TakeSnapshot() {
    const qint64 played = m_sink->processedUSecs() * PcmQueue::SampleRate / 1'000'000;
    std::lock_guard lock(m_mutex);
    const qint64 heard = std::min(m_streamStart + played, m_framesRead);
    // Between measurements time runs on only while the device is seen to play.
    m_interpolate = m_playing && heard > m_heardAtMeasure;
    m_heardAtMeasure = heard;
    m_measured.start();
}

void QtAudioDevice::OnStateChanged(QAudio::State state) {
    if (state == QAudio::StoppedState && !m_resetting && m_sink->error() != QAudio::NoError)
        m_failed = true;
}
