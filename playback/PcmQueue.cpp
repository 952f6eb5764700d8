#include "playback/PcmQueue.h"

#include "playback/MediaTime.h"

#include <algorithm>
#include <cmath>

namespace {

qint64 FramesToUnits(qint64 frames, double rate) {
    return qint64(
        std::llround(double(frames) * rate * MediaTime::UnitsPerSecond / PcmQueue::SampleRate));
}

} // namespace

bool PcmQueue::Push(const qint16* samples, int frames, qint64 position, int serial) {
    std::function<void()> ready;
    {
        std::unique_lock lock(m_mutex);
        m_space.wait(lock, [&] {
            return m_aborted || serial != m_serial || QueuedFramesLocked() < CapacityFrames;
        });
        if (m_aborted || serial != m_serial)
            return false;
        m_chunks.push_back(
            {std::vector<qint16>(samples, samples + qsizetype(frames) * Channels), 0, position, 1});
        if (m_starving && m_releasedSerial == m_serial) {
            m_starving = false;
            ready = m_ready;
        }
    }
    if (ready)
        ready();
    return true;
}

void PcmQueue::EndOfStream(int serial) {
    std::function<void()> ready;
    {
        std::lock_guard lock(m_mutex);
        if (serial != m_serial)
            return;
        m_endedSerial = serial;
        if (m_starving && m_releasedSerial == m_serial) {
            m_starving = false;
            ready = m_ready; // the tempo filter may still hold the last of it
        }
    }
    if (ready)
        ready();
}

qint64 PcmQueue::Read(char* data, qint64 maxBytes) {
    qint64 copied = 0;
    {
        std::lock_guard lock(m_mutex);
        if (m_releasedSerial != m_serial || m_aborted) {
            m_starving = true;
            return 0;
        }
        const qint64 wanted = maxBytes / BytesPerFrame;
        auto* out = reinterpret_cast<qint16*>(data);
        while (copied < wanted) {
            Chunk* chunk = ReadableChunkLocked();
            if (!chunk)
                break;
            const qint64 take = std::min(chunk->Frames(), wanted - copied);
            CopyLocked(*chunk, out + copied * Channels, take);
            copied += take;
        }
        if (copied == 0)
            m_starving = true;
    }
    if (copied > 0)
        m_space.notify_all();
    return copied * BytesPerFrame;
}

PcmQueue::Chunk* PcmQueue::ReadableChunkLocked() {
    for (;;) {
        while (!m_stretched.empty() && m_stretched.front().Frames() == 0)
            m_stretched.pop_front();
        if (!m_stretched.empty())
            return &m_stretched.front();
        while (!m_chunks.empty() && m_chunks.front().Frames() == 0)
            m_chunks.pop_front();
        const bool ended = m_endedSerial == m_serial;
        if (m_rate == 1.0 && !m_tempo)
            return m_chunks.empty() ? nullptr : &m_chunks.front();
        if (m_tempo && (m_tempo->Rate() != m_rate || (m_chunks.empty() && ended))) {
            // What the old filter still holds plays at the old rate, then the new one starts.
            StretchLocked({}, 0, true);
            continue;
        }
        if (m_chunks.empty())
            return nullptr;
        if (m_rate == 1.0)
            return &m_chunks.front();
        Chunk& chunk = m_chunks.front();
        const qint64 take = std::min<qint64>(chunk.Frames(), StretchBlockFrames);
        const qint16* begin = chunk.samples.data() + chunk.offset * Channels;
        const qint64 position = chunk.position + FramesToUnits(chunk.offset, 1.0);
        chunk.offset += take;
        StretchLocked(std::vector<qint16>(begin, begin + take * Channels), position, false);
    }
}

void PcmQueue::StretchLocked(std::vector<qint16> input, qint64 position, bool drain) {
    if (!m_tempo)
        m_tempo = std::make_unique<TempoFilter>(m_rate);
    Chunk out;
    out.rate = m_tempo->Rate();
    out.position =
        drain ? m_tempo->Process(nullptr, 0, 0, out.samples)
              : m_tempo->Process(input.data(), int(input.size() / Channels), position, out.samples);
    if (!m_tempo->IsValid() || drain)
        m_tempo.reset();
    if (!out.samples.empty())
        m_stretched.push_back(std::move(out));
}

void PcmQueue::CopyLocked(Chunk& chunk, qint16* out, qint64 frames) {
    const qint64 position = chunk.position + FramesToUnits(chunk.offset, chunk.rate);
    bool merged = false;
    if (!m_spans.empty()) {
        Span& last = m_spans.back();
        if (last.serial == m_serial && last.rate == chunk.rate &&
            std::abs(last.position + FramesToUnits(last.frames, last.rate) - position) <= 1) {
            last.frames += frames;
            merged = true;
        }
    }
    if (!merged) {
        m_spans.push_back({m_framesRead, frames, position, chunk.rate, m_serial});
        if (int(m_spans.size()) > KeptSpans)
            m_spans.pop_front();
    }
    m_framesRead += frames;
    const qint16* in = chunk.samples.data() + chunk.offset * Channels;
    for (qint64 i = 0; i < frames * Channels; ++i)
        out[i] = qint16(std::lround(in[i] * m_gains[i % Channels]));
    chunk.offset += frames;
}

void PcmQueue::SetReadyCallback(std::function<void()> ready) {
    std::lock_guard lock(m_mutex);
    m_ready = std::move(ready);
}

void PcmQueue::Flush(int serial) {
    {
        std::lock_guard lock(m_mutex);
        m_chunks.clear();
        m_stretched.clear();
        m_tempo.reset();
        m_serial = serial;
        m_endedSerial = -1;
    }
    m_space.notify_all();
}

void PcmQueue::Release(int serial) {
    std::function<void()> ready;
    {
        std::lock_guard lock(m_mutex);
        if (serial != m_serial || m_releasedSerial == serial)
            return;
        m_releasedSerial = serial;
        m_starving = false;
        ready = m_ready;
    }
    if (ready)
        ready();
}

void PcmQueue::Abort() {
    {
        std::lock_guard lock(m_mutex);
        m_aborted = true;
    }
    m_space.notify_all();
}

void PcmQueue::SetRate(double rate) {
    std::lock_guard lock(m_mutex);
    m_rate = rate;
}

void PcmQueue::SetGains(float left, float right) {
    std::lock_guard lock(m_mutex);
    m_gains[0] = std::clamp(left, 0.0f, 1.0f);
    m_gains[1] = std::clamp(right, 0.0f, 1.0f);
}

std::optional<qint64> PcmQueue::PositionAt(qint64 heardFrames, int serial) const {
    std::lock_guard lock(m_mutex);
    for (auto span = m_spans.rbegin(); span != m_spans.rend(); ++span) {
        if (span->first > heardFrames)
            continue;
        if (span->serial != serial)
            return std::nullopt;
        const qint64 into = std::min(heardFrames - span->first, span->frames);
        return span->position + FramesToUnits(into, span->rate);
    }
    return std::nullopt;
}

bool PcmQueue::Empty() const {
    std::lock_guard lock(m_mutex);
    return QueuedFramesLocked() == 0 && !m_tempo;
}

bool PcmQueue::Finished(qint64 heardFrames, int serial) const {
    std::lock_guard lock(m_mutex);
    return m_endedSerial == serial && m_serial == serial && QueuedFramesLocked() == 0 && !m_tempo &&
           heardFrames >= m_framesRead;
}

qint64 PcmQueue::QueuedFramesLocked() const {
    qint64 frames = 0;
    for (const Chunk& chunk : m_chunks)
        frames += chunk.Frames();
    for (const Chunk& chunk : m_stretched)
        frames += chunk.Frames();
    return frames;
}
