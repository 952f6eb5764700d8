#include "playback/PcmQueue.h"

#include "playback/MediaTime.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

qint64 FramesToUnits(qint64 frames, double rate) {
    return qint64(
        std::llround(double(frames) * rate * MediaTime::UnitsPerSecond / PcmQueue::SampleRate));
}

} // namespace

bool PcmQueue::Push(const qint16* samples, int frames, qint64 position, double rate, int serial) {
    std::function<void()> ready;
    {
        std::unique_lock lock(mutex_);
        space_.wait(lock, [&] {
            return aborted_ || serial != serial_ || QueuedFramesLocked() < CapacityFrames;
        });
        if (aborted_ || serial != serial_)
            return false;
        chunks_.push_back({std::vector<qint16>(samples, samples + qsizetype(frames) * Channels), 0,
                           position, rate});
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
    std::lock_guard lock(mutex_);
    if (serial == serial_)
        endedSerial_ = serial;
}

qint64 PcmQueue::Read(char* data, qint64 maxBytes) {
    qint64 copied = 0;
    {
        std::lock_guard lock(mutex_);
        const qint64 wanted = maxBytes / BytesPerFrame;
        if (releasedSerial_ != serial_ || aborted_) {
            starving_ = true;
            return 0;
        }
        auto* out = reinterpret_cast<qint16*>(data);
        while (copied < wanted && !chunks_.empty()) {
            Chunk& chunk = chunks_.front();
            const qint64 available = qint64(chunk.samples.size()) / Channels - chunk.offset;
            const qint64 take = std::min(available, wanted - copied);
            RecordSpanLocked(take, chunk.position + FramesToUnits(chunk.offset, chunk.rate),
                             chunk.rate);
            const qint16* in = chunk.samples.data() + chunk.offset * Channels;
            for (qint64 i = 0; i < take * Channels; ++i)
                out[copied * Channels + i] = qint16(std::lround(in[i] * gains_[i % Channels]));
            copied += take;
            chunk.offset += take;
            if (chunk.offset * Channels >= qint64(chunk.samples.size()))
                chunks_.pop_front();
        }
        if (copied == 0)
            starving_ = true;
    }
    if (copied > 0)
        space_.notify_all();
    return copied * BytesPerFrame;
}

void PcmQueue::SetReadyCallback(std::function<void()> ready) {
    std::lock_guard lock(mutex_);
    ready_ = std::move(ready);
}

void PcmQueue::Flush(int serial) {
    {
        std::lock_guard lock(mutex_);
        chunks_.clear();
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

bool PcmQueue::Finished(qint64 heardFrames, int serial) const {
    std::lock_guard lock(mutex_);
    return endedSerial_ == serial && serial_ == serial && chunks_.empty() &&
           heardFrames >= framesRead_;
}

qint64 PcmQueue::QueuedFramesLocked() const {
    qint64 frames = 0;
    for (const Chunk& chunk : chunks_)
        frames += qint64(chunk.samples.size()) / Channels - chunk.offset;
    return frames;
}

void PcmQueue::RecordSpanLocked(qint64 frames, qint64 position, double rate) {
    if (!spans_.empty()) {
        Span& last = spans_.back();
        if (last.serial == serial_ && last.rate == rate &&
            last.position + FramesToUnits(last.frames, rate) == position) {
            last.frames += frames;
            framesRead_ += frames;
            return;
        }
    }
    spans_.push_back({framesRead_, frames, position, rate, serial_});
    framesRead_ += frames;
    if (int(spans_.size()) > KeptSpans)
        spans_.pop_front();
}
