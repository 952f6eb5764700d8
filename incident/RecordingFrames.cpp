#include "incident/RecordingFrames.h"

#include "playback/AudioDecoder.h"
#include "playback/MediaFile.h"
#include "playback/MediaReader.h"
#include "playback/VideoDecoder.h"

#include <chrono>
#include <limits>

extern "C" {
#include <libavformat/avformat.h>
}

namespace {

// The queues wake the waiter themselves; this only bounds a wake-up that slipped between a
// look and the wait.
constexpr auto WakeCheck = std::chrono::milliseconds(20);
constexpr qint64 ChunkBytes = 64 * 1024;

} // namespace

RecordingFrames::RecordingFrames(std::unique_ptr<MediaFile> file)
    : m_file(std::move(file)), m_frames([this] { Arrived(); }) {
    m_pcm.SetReadyCallback([this] { Arrived(); });
}

RecordingFrames::~RecordingFrames() {
    if (m_reader)
        m_reader->Abort();
    m_videoPackets.Abort();
    m_audioPackets.Abort();
    m_frames.Abort();
    m_pcm.Abort();
    m_reader.reset();
    m_videoDecoder.reset();
    m_audioDecoder.reset();
}

void RecordingFrames::Arrived() {
    { std::lock_guard lock(m_mutex); }
    m_arrived.notify_all();
}

bool RecordingFrames::Start(qint64 position) {
    m_videoDecoder = std::make_unique<VideoDecoder>(*m_file, m_videoPackets, m_frames);
    if (!m_videoDecoder->Open())
        return false;
    if (m_file->AudioStream()) {
        m_audioDecoder = std::make_unique<AudioDecoder>(*m_file, m_audioPackets, m_pcm);
        if (!m_audioDecoder->Open()) {
            m_audioDecoder.reset();
            m_file->AudioStream()->discard = AVDISCARD_ALL;
        }
    }
    m_videoPackets.Flush(Serial, position);
    m_audioPackets.Flush(Serial, position);
    m_frames.Flush(Serial);
    m_pcm.Flush(Serial);
    m_pcm.Release(Serial);
    m_reader = std::make_unique<MediaReader>(*m_file, m_videoPackets,
                                             m_audioDecoder ? &m_audioPackets : nullptr);
    m_videoDecoder->Start();
    if (m_audioDecoder)
        m_audioDecoder->Start();
    m_reader->Start();
    m_reader->Seek(Serial, position);
    return true;
}

std::optional<VideoFrame> RecordingFrames::NextPicture() {
    for (;;) {
        qint64 position = 0;
        int serial = 0;
        if (m_frames.Peek(position, serial))
            return m_frames.Pop();
        if (m_frames.Ended(Serial))
            return std::nullopt;
        // The reader stops while the sound queue is full: keep the sound flowing meanwhile.
        DrainSound();
        Wait();
    }
}

void RecordingFrames::TakeSound(std::vector<qint16>& samples, qint64 wantedFrames) {
    DrainSound();
    while (m_audioDecoder && qint64(m_sound.size()) < wantedFrames * PcmQueue::Channels &&
           !m_pcm.Finished(std::numeric_limits<qint64>::max(), Serial)) {
        Wait();
        DrainSound();
    }
    samples.insert(samples.end(), m_sound.begin(), m_sound.end());
    m_sound.clear();
}

void RecordingFrames::DrainSound() {
    char chunk[ChunkBytes];
    while (const qint64 bytes = m_pcm.Read(chunk, ChunkBytes)) {
        const auto* samples = reinterpret_cast<const qint16*>(chunk);
        m_sound.insert(m_sound.end(), samples, samples + bytes / sizeof(qint16));
    }
}

void RecordingFrames::Wait() {
    std::unique_lock lock(m_mutex);
    m_arrived.wait_for(lock, WakeCheck);
}
