#include "playback/PlaybackPipeline.h"

#include "playback/AudioDecoder.h"
#include "playback/MediaFile.h"
#include "playback/MediaReader.h"
#include "playback/MediaTime.h"

#include <algorithm>
#include <limits>

extern "C" {
#include <libavformat/avformat.h>
}

namespace {

// While waiting for the clock (sound not heard yet) look again this often.
constexpr int MaxWaitMs = 40;
// Sound that has not moved for this long while nothing is queued no longer leads the clock.
constexpr int SoundStallMs = 500;

} // namespace

PlaybackPipeline::PlaybackPipeline(std::unique_ptr<MediaFile> file,
                                   std::unique_ptr<AudioOutput> output,
                                   std::function<void()> pictureQueued)
    : file_(std::move(file)), output_(std::move(output)), pictureQueued_(std::move(pictureQueued)),
      frames_([this] {
          { std::lock_guard lock(arrivalMutex_); }
          arrived_.notify_all();
          pictureQueued_();
      }) {
    anchorTime_.start();
    heardMoved_.start();
}

PlaybackPipeline::~PlaybackPipeline() {
    if (reader_)
        reader_->Abort();
    videoPackets_.Abort();
    audioPackets_.Abort();
    frames_.Abort();
    pcm_.Abort();
    reader_.reset();
    videoDecoder_.reset();
    audioDecoder_.reset();
    // The device goes last: nothing may hand it sound any more.
    output_.reset();
}

bool PlaybackPipeline::Start(const PictureTarget& target) {
    videoDecoder_ = std::make_unique<VideoDecoder>(*file_, videoPackets_, frames_);
    if (!videoDecoder_->Open())
        return false;
    videoDecoder_->SetTarget(target);
    if (output_ && file_->AudioStream()) {
        audioDecoder_ = std::make_unique<AudioDecoder>(*file_, audioPackets_, pcm_);
        if (!audioDecoder_->Open() || !output_->Start(&pcm_)) {
            audioDecoder_.reset();
            output_.reset();
        }
    } else {
        output_.reset();
    }
    if (!output_ && file_->AudioStream())
        file_->AudioStream()->discard = AVDISCARD_ALL;

    videoPackets_.Flush(serial_, 0);
    audioPackets_.Flush(serial_, 0);
    frames_.Flush(serial_);
    pcm_.Flush(serial_);
    reader_ = std::make_unique<MediaReader>(*file_, videoPackets_,
                                            audioDecoder_ ? &audioPackets_ : nullptr);
    videoDecoder_->Start();
    if (audioDecoder_)
        audioDecoder_->Start();
    reader_->Start();
    return true;
}

bool PlaybackPipeline::WaitForFirstPicture(std::chrono::milliseconds timeout) {
    std::unique_lock lock(arrivalMutex_);
    qint64 position;
    int serial;
    return arrived_.wait_for(lock, timeout, [&] {
        return frames_.Peek(position, serial) || frames_.Ended(serial_);
    }) && frames_.Peek(position, serial);
}

void PlaybackPipeline::Seek(qint64 position) {
    position = std::clamp<qint64>(position, 0, Limit());
    ++serial_;
    seekTarget_ = position;
    prerolled_ = false;
    finished_ = false;
    lastPosition_ = position;
    Anchor(position);
    RestartSoundWatch();
    videoPackets_.Flush(serial_, position);
    audioPackets_.Flush(serial_, position);
    frames_.Flush(serial_);
    pcm_.Flush(serial_);
    // Sound of the old position still in the device is not to be heard; a storm of seeks
    // releases none, so the device is only reset when something was let through.
    if (output_ && soundReleased_)
        output_->Discard();
    soundReleased_ = false;
    reader_->Seek(serial_, position);
}

void PlaybackPipeline::SetPlaying(bool playing) {
    if (playing == playing_)
        return;
    Anchor(Position());
    RestartSoundWatch();
    playing_ = playing;
    if (output_)
        output_->SetPlaying(playing);
}

void PlaybackPipeline::SetRate(double rate) {
    Anchor(Position());
    rate_ = rate;
    pcm_.SetRate(rate);
}

void PlaybackPipeline::SetGains(float left, float right) {
    pcm_.SetGains(left, right);
}

void PlaybackPipeline::SetTarget(const PictureTarget& target) {
    videoDecoder_->SetTarget(target);
}

qint64 PlaybackPipeline::Limit() const {
    // A file that does not tell its length is not held to one.
    return file_->Duration() > 0 ? file_->Duration() : std::numeric_limits<qint64>::max();
}

void PlaybackPipeline::Anchor(qint64 position) {
    anchorPosition_ = position;
    anchorTime_.restart();
}

void PlaybackPipeline::RestartSoundWatch() {
    heardMoved_.restart();
    soundStalled_ = false;
}

bool PlaybackPipeline::SoundLeads() {
    if (!output_)
        return false;
    if (output_->Failed()) {
        pcm_.Abort(); // nobody takes the sound any more: the decoder must not wait for it
        return false;
    }
    const qint64 heard = output_->HeardFrames();
    if (pcm_.Finished(heard, serial_))
        return false;
    if (heard != lastHeard_) {
        lastHeard_ = heard;
        heardMoved_.restart();
        soundStalled_ = false;
    }
    // Sound that does not come (undecodable) must not hold the pictures for ever.
    if (playing_ && pcm_.Empty() && heardMoved_.elapsed() > SoundStallMs)
        soundStalled_ = true;
    return !soundStalled_;
}

qint64 PlaybackPipeline::ClockPosition() {
    if (SoundLeads()) {
        // Until the first sound of this serial is heard the clock waits for it.
        if (const auto heard = pcm_.PositionAt(output_->HeardFrames(), serial_)) {
            if (playing_)
                Anchor(*heard);
            return *heard;
        }
        return anchorPosition_;
    }
    if (!playing_)
        return anchorPosition_;
    return anchorPosition_ + qint64(double(anchorTime_.nsecsElapsed() / 100) * rate_);
}

qint64 PlaybackPipeline::Position() {
    if (!prerolled_)
        return seekTarget_;
    if (finished_)
        return file_->Duration() > 0 ? file_->Duration() : lastPictureEnd_;
    const qint64 position = ClockPosition();
    // The end: every picture shown and its time passed, every sound heard. The window's
    // end-of-recording check needs the duration here exactly, also for a file cut short.
    if (frames_.Ended(serial_) && position >= lastPictureEnd_ && !SoundLeads()) {
        finished_ = true;
        return Position();
    }
    // Between seeks the position only moves forward, whichever clock leads.
    lastPosition_ = std::max(lastPosition_, std::clamp<qint64>(position, 0, Limit()));
    return lastPosition_;
}

std::optional<VideoFrame> PlaybackPipeline::TakeDuePicture(int& waitMs) {
    waitMs = -1;
    qint64 position;
    int serial;
    if (!prerolled_) {
        if (frames_.Peek(position, serial)) {
            VideoFrame picture = frames_.Pop();
            prerolled_ = true;
            soundReleased_ = true;
            Anchor(seekTarget_);
            RestartSoundWatch();
            lastPictureEnd_ = picture.position + picture.duration;
            pcm_.Release(serial_);
            if (playing_)
                waitMs = 1; // look again for what follows
            return picture;
        }
        if (frames_.Ended(serial_)) {
            prerolled_ = true;
            soundReleased_ = true;
            Anchor(seekTarget_);
            pcm_.Release(serial_);
        }
        return std::nullopt;
    }
    if (!playing_ || !frames_.Peek(position, serial))
        return std::nullopt;
    const qint64 now = ClockPosition();
    std::optional<VideoFrame> due;
    // Pictures whose successor is due as well are late: they are dropped unseen.
    while (frames_.Peek(position, serial) && position <= now)
        due = frames_.Pop();
    if (due)
        lastPictureEnd_ = due->position + due->duration;
    if (frames_.Peek(position, serial)) {
        const double units = double(position - now) / rate_;
        waitMs = std::clamp(int(units / MediaTime::UnitsPerMs), 1, MaxWaitMs);
    }
    return due;
}
