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
    return true;
}

void QtAudioDevice::StartSink() {
    // A stream is opened only to play: one opened paused stalls when it first resumes.
    resetting_ = true;
    sink_->start(this);
    resetting_ = false;
    started_ = sink_->error() == QAudio::NoError && sink_->state() != QAudio::StoppedState;
    if (!started_)
        failed_ = true;
    std::lock_guard lock(mutex_);
    streamStart_ = framesRead_;
    heardAtMeasure_ = framesRead_;
    measured_.start();
    interpolate_ = false;
}

void QtAudioDevice::SetPlaying(bool playing) {
    if (!sink_ || playing == playing_ || failed_)
        return;
    playing_ = playing;
    if (!started_) {
        if (playing)
            StartSink();
        return;
    }
    if (playing)
        sink_->resume();
    else
        sink_->suspend();
    TakeSnapshot();
}

void QtAudioDevice::Discard() {
    if (!started_ || failed_)
        return;
    resetting_ = true;
    sink_->reset();
    resetting_ = false;
    started_ = false;
    {
        // What the device held counts as heard.
        std::lock_guard lock(mutex_);
        heardAtMeasure_ = framesRead_;
        reported_ = framesRead_;
        interpolate_ = false;
    }
    if (playing_)
        StartSink();
}

qint64 QtAudioDevice::HeardFrames() const {
    std::lock_guard lock(mutex_);
    qint64 heard = heardAtMeasure_;
    if (interpolate_)
        heard += measured_.nsecsElapsed() * PcmQueue::SampleRate / 1'000'000'000;
    // What has been heard never shrinks, even when a measurement comes in late.
    reported_ = std::max(reported_, std::min(heard, framesRead_));
    return reported_;
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
    const qint64 heard = std::min(streamStart_ + played, framesRead_);
    // Between measurements time runs on only while the device is seen to play.
    interpolate_ = playing_ && heard > heardAtMeasure_;
    heardAtMeasure_ = heard;
    measured_.start();
}

void QtAudioDevice::OnStateChanged(QAudio::State state) {
    if (state == QAudio::StoppedState && !resetting_ && sink_->error() != QAudio::NoError)
        failed_ = true;
}
