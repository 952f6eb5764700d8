#pragma once

#include "playback/AudioOutput.h"

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

// A device that hears nothing: it takes the sound at the speed a real one would, without a
// sound server. Used where no sound may be made (tests, benchmarks).
class NullAudioOutput : public AudioOutput {
public:
    NullAudioOutput() = default;
    ~NullAudioOutput() override;

    bool Start(PcmQueue* queue) override;
    void SetPlaying(bool playing) override;
    qint64 HeardFrames() const override { return m_heard; }
    bool Failed() const override { return false; }

private:
    void Run();

    PcmQueue* m_queue = nullptr;
    std::thread m_thread;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_playing = false;
    bool m_stopping = false;
    std::atomic<qint64> m_heard = 0;
};
