#include "playback/NullAudioOutput.h"

#include "playback/PcmQueue.h"

#include <chrono>
#include <vector>

namespace {
constexpr auto Period = std::chrono::milliseconds(10);
}

NullAudioOutput::~NullAudioOutput() {
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_changed.notify_all();
    if (m_thread.joinable())
        m_thread.join();
}

bool NullAudioOutput::Start(PcmQueue* queue) {
    m_queue = queue;
    m_thread = std::thread(&NullAudioOutput::Run, this);
    return true;
}

void NullAudioOutput::SetPlaying(bool playing) {
    {
        std::lock_guard lock(m_mutex);
        m_playing = playing;
    }
    m_changed.notify_all();
}

void NullAudioOutput::Run() {
    using Clock = std::chrono::steady_clock;
    std::vector<char> buffer;
    auto last = Clock::now();
    double due = 0; // frames the device would have played since the last read
    std::unique_lock lock(m_mutex);
    while (!m_stopping) {
        if (!m_playing) {
            m_changed.wait(lock, [this] { return m_stopping || m_playing; });
            last = Clock::now();
            due = 0;
            continue;
        }
        m_changed.wait_for(lock, Period);
        const auto now = Clock::now();
        due += std::chrono::duration<double>(now - last).count() * PcmQueue::SampleRate;
        last = now;
        const qint64 wanted = qint64(due);
        if (wanted <= 0)
            continue;
        buffer.resize(size_t(wanted * PcmQueue::BytesPerFrame));
        lock.unlock();
        const qint64 frames =
            m_queue->Read(buffer.data(), qint64(buffer.size())) / PcmQueue::BytesPerFrame;
        lock.lock();
        m_heard += frames;
        // Whatever the queue could not give was silence, and silence is not made up later.
        due = 0;
    }
}
