#pragma once

#include "playback/AudioOutput.h"

#include <QThread>

class QtAudioDevice;

// The desktop's sound device through QAudioSink, driven from a thread of its own so that a busy
// window never starves it.
class QtAudioOutput : public AudioOutput {
public:
    QtAudioOutput() = default;
    ~QtAudioOutput() override;

    bool Start(PcmQueue* queue) override;
    void SetPlaying(bool playing) override;
    qint64 HeardFrames() const override;
    bool Failed() const override;

private:
    QThread m_thread;
    QtAudioDevice* m_device = nullptr; // lives in m_thread
};
