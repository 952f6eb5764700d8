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
    : device_(device), queue_(queue) {}

QtAudioDevice::~QtAudioDevice() {
    if (sink_) {
        resetting_ = true;
        sink_->stop();
        delete sink_;
    }
}

bool QtAudioDevice::Open() {
    if (device_.isNull() || !device_.isFormatSupported(PcmFormat()))
        return false;
    QIODevice::open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    sink_ = new QAudioSink(device_, PcmFormat(), this);
    sink_->setBufferSize(qsizetype(PcmQueue::SampleRate) * PcmQueue::BytesPerFrame *
                         DeviceBufferMs / 1000);
    connect(sink_, &QAudioSink::stateChanged, this, &QtAudioDevice::OnStateChanged);
    return StartSink();
}

bool QtAudioDevice::StartSink() {
    resetting_ = true;
    sink_->start(this);
    resetting_ = false;
    if (sink_->error() != QAudio::NoError || sink_->state() == QAudio::StoppedState)
        return false;
    if (!playing_)
        sink_->suspend();
    std::lock_guard lock(mutex_);
    streamStart_ = framesRead_;
    heardAtMeasure_ = framesRead_;
    measured_.start();
    interpolate_ = playing_;
    return true;
}

void QtAudioDevice::SetPlaying(bool playing) {
    if (!sink_ || playing == playing_)
        return;
    playing_ = playing;
    if (playing)
        sink_->resume();
    else
        sink_->suspend();
    TakeSnapshot();
}

void QtAudioDevice::Discard() {
    if (!sink_ || failed_)
        return;
    resetting_ = true;
    sink_->reset();
    if (!StartSink())
        failed_ = true;
}

qint64 QtAudioDevice::HeardFrames() const {
    std::lock_guard lock(mutex_);
    qint64 heard = heardAtMeasure_;
    if (interpolate_)
        heard += measured_.nsecsElapsed() * PcmQueue::SampleRate / 1'000'000'000;
    return std::min(heard, framesRead_);
}

qint64 QtAudioDevice::readData(char* data, qint64 maxSize) {
    const qint64 bytes = queue_->Read(data, maxSize);
    {
        std::lock_guard lock(mutex_);
        framesRead_ += bytes / PcmQueue::BytesPerFrame;
    }
    TakeSnapshot();
    return bytes;
}

void QtAudioDevice::TakeSnapshot() {
    const qint64 played = sink_->processedUSecs() * PcmQueue::SampleRate / 1'000'000;
    std::lock_guard lock(mutex_);
    heardAtMeasure_ = std::min(streamStart_ + played, framesRead_);
    measured_.start();
    interpolate_ = playing_;
}

void QtAudioDevice::OnStateChanged(QAudio::State state) {
    if (state == QAudio::StoppedState && !resetting_ && sink_->error() != QAudio::NoError)
        failed_ = true;
}
