#include "playback/QtAudioOutput.h"

#include "playback/PcmQueue.h"
#include "playback/QtAudioDevice.h"

#include <QMediaDevices>

std::unique_ptr<AudioOutput> MakeSystemAudioOutput() {
    return std::make_unique<QtAudioOutput>();
}

QtAudioOutput::~QtAudioOutput() {
    if (m_device)
        QMetaObject::invokeMethod(
            m_device, [this] { delete m_device; }, Qt::BlockingQueuedConnection);
    m_thread.quit();
    m_thread.wait();
}

bool QtAudioOutput::Start(PcmQueue* queue) {
    // Asked on the caller's thread, so that the media backend is set up there and not on ours.
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull())
        return false;
    m_thread.setObjectName(QStringLiteral("karvenna-audio"));
    m_thread.start();
    m_device = new QtAudioDevice(device, queue);
    m_device->moveToThread(&m_thread);
    bool opened = false;
    QMetaObject::invokeMethod(
        m_device, [&] { opened = m_device->Open(); }, Qt::BlockingQueuedConnection);
    if (opened)
        queue->SetReadyCallback([device = m_device] { emit device->readyRead(); });
    return opened;
}

void QtAudioOutput::SetPlaying(bool playing) {
    QMetaObject::invokeMethod(
        m_device, [this, playing] { m_device->SetPlaying(playing); }, Qt::BlockingQueuedConnection);
}

qint64 QtAudioOutput::HeardFrames() const {
    return m_device->HeardFrames();
}

bool QtAudioOutput::Failed() const {
    return m_device->Failed();
}
