#include "incident/RecordingFrames.h"

#include "playback/MediaFile.h"

#include <chrono>
#include <limits>

namespace {

// The queues wake the waiter themselves; this only bounds a wake-up that slipped between a
// look and the wait.
constexpr auto WakeCheck = std::chrono::milliseconds(20);
constexpr qint64 ChunkBytes = 64 * 1024;

} // namespace

RecordingFrames::RecordingFrames(std::unique_ptr<MediaFile> file)
    : m_chain(std::move(file), [this] { Arrived(); }) {
    m_chain.Sound().SetReadyCallback([this] { Arrived(); });
}

void RecordingFrames::Arrived() {
    { std::lock_guard lock(m_mutex); }
    m_arrived.notify_all();
}

bool RecordingFrames::Start(qint64 position) {
    if (!m_chain.Open(DecodePace::AsFastAsPossible, true))
        return false;
    m_chain.Start(StartSerial);
    m_chain.Seek(Serial, position);
    m_chain.Sound().Release(Serial);
    return true;
}

std::optional<VideoFrame> RecordingFrames::NextPicture() {
    for (;;) {
        qint64 position = 0;
        int serial = 0;
        if (m_chain.Pictures().Peek(position, serial))
            return m_chain.Pictures().Pop();
        if (m_chain.Pictures().Ended(Serial))
            return std::nullopt;
        // The reader stops while the sound queue is full: keep the sound flowing meanwhile.
        DrainSound();
        Wait();
    }
}

void RecordingFrames::TakeSound(std::vector<qint16>& samples, qint64 wantedFrames) {
    DrainSound();
    while (m_chain.HasSound() && qint64(m_sound.size()) < wantedFrames * PcmQueue::Channels &&
           !m_chain.Sound().Finished(std::numeric_limits<qint64>::max(), Serial)) {
        Wait();
        DrainSound();
    }
    samples.insert(samples.end(), m_sound.begin(), m_sound.end());
    m_sound.clear();
}

void RecordingFrames::DrainSound() {
    char chunk[ChunkBytes];
    while (const qint64 bytes = m_chain.Sound().Read(chunk, ChunkBytes)) {
        const auto* samples = reinterpret_cast<const qint16*>(chunk);
        m_sound.insert(m_sound.end(), samples, samples + bytes / sizeof(qint16));
    }
}

void RecordingFrames::Wait() {
    std::unique_lock lock(m_mutex);
    m_arrived.wait_for(lock, WakeCheck);
}
