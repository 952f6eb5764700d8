#include "playback/QtAudioOutput.h"

#include "playback/PcmQueue.h"
#include "playback/QtAudioDevice.h"

#include <QMediaDevices>

std::unique_ptr<AudioOutput> MakeSystemAudioOutput() {
    return std::make_unique<QtAudioOutput>();
}

QtAudioOutput::~QtAudioOutput() {
    if (device_)
        QMetaObject::invokeMethod(
            device_, [this] { delete device_; }, Qt::BlockingQueuedConnection);
    thread_.quit();
    thread_.wait();
}

bool QtAudioOutput::Start(PcmQueue* queue) {
    // Asked on the caller's thread, so that the media backend is set up there and not on ours.
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull())
        return false;
    thread_.setObjectName(QStringLiteral("karvenna-audio"));
    thread_.start();
    device_ = new QtAudioDevice(device, queue);
    device_->moveToThread(&thread_);
    bool opened = false;
    QMetaObject::invokeMethod(
        device_, [&] { opened = device_->Open(); }, Qt::BlockingQueuedConnection);
    if (opened)
        queue->SetReadyCallback([device = device_] { emit device->readyRead(); });
    return opened;
}

void QtAudioOutput::SetPlaying(bool playing) {
    QMetaObject::invokeMethod(
        device_, [this, playing] { device_->SetPlaying(playing); }, Qt::BlockingQueuedConnection);
}

void QtAudioOutput::Discard() {
    QMetaObject::invokeMethod(
        device_, [this] { device_->Discard(); }, Qt::BlockingQueuedConnection);
}

qint64 QtAudioOutput::HeardFrames() const {
    return device_->HeardFrames();
}

bool QtAudioOutput::Failed() const {
    return device_->Failed();
}
