#include "playback/PlaybackPipeline.h"

#include "playback/MediaFile.h"
#include "playback/MediaTime.h"

#include <algorithm>
#include <limits>

namespace {

// While waiting for the clock (sound not heard yet) look again this often.
constexpr int MaxWaitMs = 40;
// Sound that has not moved for this long while nothing is queued no longer leads the clock.
constexpr int SoundStallMs = 500;

} // namespace

PlaybackPipeline::PlaybackPipeline(std::unique_ptr<MediaFile> file,
                                   std::unique_ptr<AudioOutput> output,
                                   std::function<void()> pictureQueued)
    : m_output(std::move(output)), m_chain(std::move(file), std::move(pictureQueued)) {
    m_anchorTime.start();
    m_heardMoved.start();
}

PlaybackPipeline::~PlaybackPipeline() {
    m_chain.Stop();
    // The device goes before the sound queue it reads, but after everything that fills it.
    m_output.reset();
}

bool PlaybackPipeline::Start(const PictureTarget& target) {
    if (!m_chain.Open(DecodePace::Playing, m_output != nullptr))
        return false;
    m_chain.Video().SetTarget(target);
    if (m_chain.HasSound() && !m_output->Start(&m_chain.Sound()))
        m_chain.DropSound();
    if (!m_chain.HasSound())
        m_output.reset();
    m_chain.Start(m_serial);
    return true;
}

void PlaybackPipeline::Seek(qint64 position) {
    position = std::clamp<qint64>(position, 0, Limit());
    ++m_serial;
    m_seekTarget = position;
    m_prerolled = false;
    m_clockToPicture = false;
    m_finished = false;
    m_lastPosition = position;
    Anchor(position);
    RestartSoundWatch();
    // The device keeps its stream: the little sound of the old position it still holds is heard
    // and counted, and the clock waits for this serial's. A stream opened anew after a seek is
    // first heard only when the sound server next wakes its sink, which may be seconds away.
    m_chain.Seek(m_serial, position);
}

void PlaybackPipeline::SeekToFrameAt(qint64 position) {
    Seek(position);
    m_clockToPicture = true;
}

void PlaybackPipeline::SetPlaying(bool playing) {
    if (playing == m_playing)
        return;
    Anchor(Position());
    RestartSoundWatch();
    m_playing = playing;
    if (m_output)
        m_output->SetPlaying(playing);
}

void PlaybackPipeline::SetRate(double rate) {
    Anchor(Position());
    m_rate = rate;
    m_chain.Sound().SetRate(rate);
}

void PlaybackPipeline::SetGains(float left, float right) {
    m_chain.Sound().SetGains(left, right);
}

void PlaybackPipeline::SetTarget(const PictureTarget& target) {
    m_chain.Video().SetTarget(target);
}

qint64 PlaybackPipeline::Limit() const {
    // A file that does not tell its length is not held to one.
    return m_chain.File().Duration() > 0 ? m_chain.File().Duration()
                                         : std::numeric_limits<qint64>::max();
}

void PlaybackPipeline::Anchor(qint64 position) {
    m_anchorPosition = position;
    m_anchorTime.restart();
}

void PlaybackPipeline::RestartSoundWatch() {
    m_heardMoved.restart();
    m_soundStalled = false;
}

bool PlaybackPipeline::SoundLeads() {
    if (!m_output)
        return false;
    if (m_output->Failed()) {
        m_chain.Sound()
            .Abort(); // nobody takes the sound any more: the decoder must not wait for it
        return false;
    }
    const qint64 heard = m_output->HeardFrames();
    if (m_chain.Sound().Finished(heard, m_serial))
        return false;
    if (heard != m_lastHeard) {
        m_lastHeard = heard;
        m_heardMoved.restart();
        m_soundStalled = false;
    }
    // Sound that does not come (undecodable) must not hold the pictures for ever.
    if (m_playing && m_chain.Sound().Empty() && m_heardMoved.elapsed() > SoundStallMs)
        m_soundStalled = true;
    return !m_soundStalled;
}

qint64 PlaybackPipeline::ClockPosition() {
    if (SoundLeads()) {
        // Until the first sound of this serial is heard the clock waits for it.
        if (const auto heard = m_chain.Sound().PositionAt(m_output->HeardFrames(), m_serial)) {
            if (m_playing)
                Anchor(*heard);
            return *heard;
        }
        return m_anchorPosition;
    }
    if (!m_playing)
        return m_anchorPosition;
    return m_anchorPosition + qint64(double(m_anchorTime.nsecsElapsed() / 100) * m_rate);
}

qint64 PlaybackPipeline::Position() {
    if (!m_prerolled)
        return m_seekTarget;
    if (m_finished)
        return m_chain.File().Duration() > 0 ? m_chain.File().Duration() : m_lastPictureEnd;
    const qint64 position = ClockPosition();
    // The end: every picture shown and its time passed, every sound heard. The window's
    // end-of-recording check needs the duration here exactly, also for a file cut short.
    if (m_chain.Pictures().Ended(m_serial) && position >= m_lastPictureEnd && !SoundLeads()) {
        m_finished = true;
        return Position();
    }
    // Between seeks the position only moves forward, whichever clock leads.
    m_lastPosition = std::max(m_lastPosition, std::clamp<qint64>(position, 0, Limit()));
    return m_lastPosition;
}

std::optional<VideoFrame> PlaybackPipeline::TakeDuePicture(int& waitMs) {
    waitMs = -1;
    qint64 position;
    int serial;
    if (!m_prerolled) {
        if (m_chain.Pictures().Peek(position, serial)) {
            VideoFrame picture = m_chain.Pictures().Pop();
            m_prerolled = true;
            if (m_clockToPicture)
                m_seekTarget = m_lastPosition = std::clamp<qint64>(picture.position, 0, Limit());
            Anchor(m_seekTarget);
            RestartSoundWatch();
            m_lastPictureEnd = picture.position + picture.duration;
            m_chain.Sound().Release(m_serial);
            if (m_playing)
                waitMs = 1; // look again for what follows
            return picture;
        }
        if (m_chain.Pictures().Ended(m_serial)) {
            m_prerolled = true;
            Anchor(m_seekTarget);
            m_chain.Sound().Release(m_serial);
        }
        return std::nullopt;
    }
    if (!m_playing || !m_chain.Pictures().Peek(position, serial))
        return std::nullopt;
    const qint64 now = ClockPosition();
    std::optional<VideoFrame> due;
    // Pictures whose successor is due as well are late: they are dropped unseen.
    while (m_chain.Pictures().Peek(position, serial) && position <= now)
        due = m_chain.Pictures().Pop();
    if (due)
        m_lastPictureEnd = due->position + due->duration;
    if (m_chain.Pictures().Peek(position, serial)) {
        const double units = double(position - now) / m_rate;
        waitMs = std::clamp(int(units / MediaTime::UnitsPerMs), 1, MaxWaitMs);
    }
    return due;
}
