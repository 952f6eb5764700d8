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
    void Discard() override {}
    qint64 HeardFrames() const override { return heard_; }
    bool Failed() const override { return false; }

private:
    void Run();

    PcmQueue* queue_ = nullptr;
    std::thread thread_;
    std::mutex mutex_;
    std::condition_variable changed_;
    bool playing_ = false;
    bool stopping_ = false;
    std::atomic<qint64> heard_ = 0;
};
