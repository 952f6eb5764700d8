#include "playback/NullAudioOutput.h"

#include "playback/PcmQueue.h"

#include <chrono>
#include <vector>

namespace {
constexpr auto Period = std::chrono::milliseconds(10);
}

NullAudioOutput::~NullAudioOutput() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    if (thread_.joinable())
        thread_.join();
}

bool NullAudioOutput::Start(PcmQueue* queue) {
    queue_ = queue;
    thread_ = std::thread(&NullAudioOutput::Run, this);
    return true;
}

void NullAudioOutput::SetPlaying(bool playing) {
    {
        std::lock_guard lock(mutex_);
        playing_ = playing;
    }
    changed_.notify_all();
}

void NullAudioOutput::Run() {
    using Clock = std::chrono::steady_clock;
    std::vector<char> buffer;
    auto last = Clock::now();
    double due = 0; // frames the device would have played since the last read
    std::unique_lock lock(mutex_);
    while (!stopping_) {
        if (!playing_) {
            changed_.wait(lock, [this] { return stopping_ || playing_; });
            last = Clock::now();
            due = 0;
            continue;
        }
        changed_.wait_for(lock, Period);
        const auto now = Clock::now();
        due += std::chrono::duration<double>(now - last).count() * PcmQueue::SampleRate;
        last = now;
        const qint64 wanted = qint64(due);
        if (wanted <= 0)
            continue;
        buffer.resize(size_t(wanted * PcmQueue::BytesPerFrame));
        lock.unlock();
        const qint64 frames =
            queue_->Read(buffer.data(), qint64(buffer.size())) / PcmQueue::BytesPerFrame;
        lock.lock();
        heard_ += frames;
        // Whatever the queue could not give was silence, and silence is not made up later.
        due = 0;
    }
}
