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
        std::unique_lock lock(mutex_);
        space_.wait(lock, [&] {
            return aborted_ || serial != serial_ || QueuedFramesLocked() < CapacityFrames;
        });
        if (aborted_ || serial != serial_)
            return false;
        chunks_.push_back(
            {std::vector<qint16>(samples, samples + qsizetype(frames) * Channels), 0, position, 1});
        if (starving_ && releasedSerial_ == serial_) {
            starving_ = false;
            ready = ready_;
        }
    }
    if (ready)
        ready();
    return true;
}

void PcmQueue::EndOfStream(int serial) {
    std::function<void()> ready;
    {
        std::lock_guard lock(mutex_);
        if (serial != serial_)
            return;
        endedSerial_ = serial;
        if (starving_ && releasedSerial_ == serial_) {
            starving_ = false;
            ready = ready_; // the tempo filter may still hold the last of it
        }
    }
    if (ready)
        ready();
}

qint64 PcmQueue::Read(char* data, qint64 maxBytes) {
    qint64 copied = 0;
    {
        std::lock_guard lock(mutex_);
        if (releasedSerial_ != serial_ || aborted_) {
            starving_ = true;
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
            starving_ = true;
    }
    if (copied > 0)
        space_.notify_all();
    return copied * BytesPerFrame;
}

PcmQueue::Chunk* PcmQueue::ReadableChunkLocked() {
    for (;;) {
        while (!stretched_.empty() && stretched_.front().Frames() == 0)
            stretched_.pop_front();
        if (!stretched_.empty())
            return &stretched_.front();
        while (!chunks_.empty() && chunks_.front().Frames() == 0)
            chunks_.pop_front();
        const bool ended = endedSerial_ == serial_;
        if (rate_ == 1.0 && !tempo_)
            return chunks_.empty() ? nullptr : &chunks_.front();
        if (tempo_ && (tempo_->Rate() != rate_ || (chunks_.empty() && ended))) {
            // What the old filter still holds plays at the old rate, then the new one starts.
            StretchLocked({}, 0, true);
            continue;
        }
        if (chunks_.empty())
            return nullptr;
        if (rate_ == 1.0)
            return &chunks_.front();
        Chunk& chunk = chunks_.front();
        const qint64 take = std::min<qint64>(chunk.Frames(), StretchBlockFrames);
        const qint16* begin = chunk.samples.data() + chunk.offset * Channels;
        const qint64 position = chunk.position + FramesToUnits(chunk.offset, 1.0);
        chunk.offset += take;
        StretchLocked(std::vector<qint16>(begin, begin + take * Channels), position, false);
    }
}

void PcmQueue::StretchLocked(std::vector<qint16> input, qint64 position, bool drain) {
    if (!tempo_)
        tempo_ = std::make_unique<TempoFilter>(rate_);
    Chunk out;
    out.rate = tempo_->Rate();
    out.position =
        drain ? tempo_->Process(nullptr, 0, 0, out.samples)
              : tempo_->Process(input.data(), int(input.size() / Channels), position, out.samples);
    if (!tempo_->IsValid() || drain)
        tempo_.reset();
    if (!out.samples.empty())
        stretched_.push_back(std::move(out));
}

void PcmQueue::CopyLocked(Chunk& chunk, qint16* out, qint64 frames) {
    const qint64 position = chunk.position + FramesToUnits(chunk.offset, chunk.rate);
    bool merged = false;
    if (!spans_.empty()) {
        Span& last = spans_.back();
        if (last.serial == serial_ && last.rate == chunk.rate &&
            std::abs(last.position + FramesToUnits(last.frames, last.rate) - position) <= 1) {
            last.frames += frames;
            merged = true;
        }
    }
    if (!merged) {
        spans_.push_back({framesRead_, frames, position, chunk.rate, serial_});
        if (int(spans_.size()) > KeptSpans)
            spans_.pop_front();
    }
    framesRead_ += frames;
    const qint16* in = chunk.samples.data() + chunk.offset * Channels;
    for (qint64 i = 0; i < frames * Channels; ++i)
        out[i] = qint16(std::lround(in[i] * gains_[i % Channels]));
    chunk.offset += frames;
}

void PcmQueue::SetReadyCallback(std::function<void()> ready) {
    std::lock_guard lock(mutex_);
    ready_ = std::move(ready);
}

void PcmQueue::Flush(int serial) {
    {
        std::lock_guard lock(mutex_);
        chunks_.clear();
        stretched_.clear();
        tempo_.reset();
        serial_ = serial;
        endedSerial_ = -1;
    }
    space_.notify_all();
}

void PcmQueue::Release(int serial) {
    std::function<void()> ready;
    {
        std::lock_guard lock(mutex_);
        if (serial != serial_ || releasedSerial_ == serial)
            return;
        releasedSerial_ = serial;
        starving_ = false;
        ready = ready_;
    }
    if (ready)
        ready();
}

void PcmQueue::Abort() {
    {
        std::lock_guard lock(mutex_);
        aborted_ = true;
    }
    space_.notify_all();
}

void PcmQueue::SetRate(double rate) {
    std::lock_guard lock(mutex_);
    rate_ = rate;
}

void PcmQueue::SetGains(float left, float right) {
    std::lock_guard lock(mutex_);
    gains_[0] = std::clamp(left, 0.0f, 1.0f);
    gains_[1] = std::clamp(right, 0.0f, 1.0f);
}

std::optional<qint64> PcmQueue::PositionAt(qint64 heardFrames, int serial) const {
    std::lock_guard lock(mutex_);
    for (auto span = spans_.rbegin(); span != spans_.rend(); ++span) {
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
    std::lock_guard lock(mutex_);
    return QueuedFramesLocked() == 0 && !tempo_;
}

bool PcmQueue::Finished(qint64 heardFrames, int serial) const {
    std::lock_guard lock(mutex_);
    return endedSerial_ == serial && serial_ == serial && QueuedFramesLocked() == 0 && !tempo_ &&
           heardFrames >= framesRead_;
}

qint64 PcmQueue::QueuedFramesLocked() const {
    qint64 frames = 0;
    for (const Chunk& chunk : chunks_)
        frames += chunk.Frames();
    for (const Chunk& chunk : stretched_)
        frames += chunk.Frames();
    return frames;
}
