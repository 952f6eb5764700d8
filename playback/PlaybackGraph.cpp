#include "playback/PlaybackGraph.h"

#include "playback/PlaybackPipeline.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace {

constexpr float MinRate = 0.5f;
constexpr float MaxRate = 2.0f;
constexpr int MaxBrightness = 150;
constexpr std::chrono::milliseconds GrabWait(200);

} // namespace

PlaybackGraph::PlaybackGraph(QSize clientSize, AudioOutputFactory audio)
    : m_clientSize(clientSize), m_audio(std::move(audio)) {
    m_presentTimer.setSingleShot(true);
    m_presentTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_presentTimer, &QTimer::timeout, this, &PlaybackGraph::Present);
}

PlaybackGraph::~PlaybackGraph() {
    // Threads first: nothing may post to this object once it starts going.
    m_opener.reset();
    m_pipeline.reset();
}

PlaybackResult PlaybackGraph::Build(const QString& path) {
    m_opener = std::make_unique<MediaOpener>(path, [this] {
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (m_opener)
                    emit built(Succeeded(FinishBuild()));
            },
            Qt::QueuedConnection);
    });
    if (!m_opener->Wait(BuildWait))
        return PlaybackResult::Pending;
    return FinishBuild();
}

PlaybackResult PlaybackGraph::FinishBuild() {
    std::unique_ptr<MediaFile> file = m_opener->Take(m_error);
    m_opener.reset();
    if (!file)
        return PlaybackResult::Failed;
    std::unique_ptr<AudioOutput> output = file->AudioStream() && m_audio ? m_audio() : nullptr;
    const QSize videoSize(file->Info().video.width, file->Info().video.height);
    m_pipeline = std::make_unique<PlaybackPipeline>(std::move(file), std::move(output),
                                                    [this] { PostPresent(); });
    m_pictureSize = m_clientSize.isEmpty() ? videoSize : m_clientSize;
    SetVolume(m_volume);
    if (!m_pipeline->Start(Target())) {
        m_pipeline.reset();
        m_error = QStringLiteral("the H.264 decoder cannot be opened");
        return PlaybackResult::Failed;
    }
    m_durationCache = 0;
    m_state = Stopped;
    Present();
    qint64 duration;
    Duration(duration);
    return PlaybackResult::Done;
}

PlaybackResult PlaybackGraph::Run() {
    if (m_state != Paused && m_state != Stopped)
        return PlaybackResult::WrongState;
    qint64 position, duration;
    // A finished recording starts again.
    if (Succeeded(CurrentPosition(position)) && Succeeded(Duration(duration)) &&
        position == duration)
        SetCurrentPosition(0);
    if (std::isnan(m_rate))
        m_rate = 1.0f;
    if (m_rate != 1.0f)
        m_rate = std::clamp(m_rate, MinRate, MaxRate);
    m_pipeline->SetRate(m_rate);
    m_pipeline->SetPlaying(true);
    m_state = Running;
    Present();
    return PlaybackResult::Done;
}

PlaybackResult PlaybackGraph::Pause() {
    if (!m_pipeline)
        return PlaybackResult::WrongState;
    m_pipeline->SetPlaying(false);
    m_state = Paused;
    Present();
    return PlaybackResult::Done;
}

PlaybackResult PlaybackGraph::Stop() {
    if (!HasMedia())
        return PlaybackResult::WrongState;
    m_pipeline->SetPlaying(false);
    m_state = Stopped;
    return PlaybackResult::Done;
}

bool PlaybackGraph::Ended() const {
    return m_pipeline && m_pipeline->Finished();
}

PlaybackResult PlaybackGraph::CurrentPosition(qint64& position) {
    if (!m_pipeline)
        return PlaybackResult::NoMedia;
    position = m_pipeline->Position();
    return PlaybackResult::Done;
}

PlaybackResult PlaybackGraph::Duration(qint64& duration) {
    if (!m_pipeline)
        return PlaybackResult::NoMedia;
    if (m_durationCache == 0)
        m_durationCache = m_pipeline->File().Duration();
    duration = m_durationCache;
    return PlaybackResult::Done;
}

PlaybackResult PlaybackGraph::SetCurrentPosition(qint64 position) {
    if (!m_pipeline)
        return PlaybackResult::NoMedia;
    m_pipeline->Seek(position);
    m_presentTimer.stop();
    return PlaybackResult::Done;
}

PlaybackResult PlaybackGraph::StepFrame(int direction) {
    if (!m_pipeline)
        return PlaybackResult::NoMedia;
    if (m_state != Paused || FramePending() || !m_shown.source)
        return PlaybackResult::WrongState;
    if (direction != 1 && direction != -1)
        return PlaybackResult::Failed;
    // From the picture itself, not the clock: the position may lie anywhere in its span. The
    // next frame is aimed at halfway into its span, as frame times rounded to 100 ns may start
    // it a unit after this one's end; past the end the seek shows the last frame again. One
    // unit before this frame's start lies in the frame before, however long that one is.
    const qint64 target =
        direction > 0 ? m_shown.position + m_shown.duration * 3 / 2 : m_shown.position - 1;
    if (target < 0)
        return PlaybackResult::Done;
    m_pipeline->SeekToFrameAt(target);
    m_presentTimer.stop();
    return PlaybackResult::Done;
}

void PlaybackGraph::SetVolume(quint32 volume) {
    m_volume = volume;
    if (m_pipeline)
        m_pipeline->SetGains(float(volume & 0xFFFF) / 0xFFFF, float(volume >> 16) / 0xFFFF);
}

void PlaybackGraph::Repaint(QSize clientSize) {
    m_clientSize = clientSize;
    if (!clientSize.isEmpty() && clientSize != m_pictureSize) {
        m_pictureSize = clientSize;
        ApplyTarget();
    }
    emit pictureChanged();
}

void PlaybackGraph::RepaintInto(QPainter& painter, const QRect& target) const {
    if (m_shown.picture.isNull())
        painter.fillRect(target, Qt::black);
    else
        painter.drawImage(target, m_shown.picture);
}

PlaybackResult PlaybackGraph::SetDecoderParam(int id, int value) {
    if (!m_pipeline)
        return PlaybackResult::NoMedia;
    switch (id) {
    case ParamBrightnessOn:
        m_brightnessOn = value;
        break;
    case ParamBrightness:
        m_brightness = value;
        break;
    case ParamTurnOn:
        m_turnOn = value;
        break;
    case ParamTurned:
        m_turned = value;
        break;
    default:
        return PlaybackResult::Done;
    }
    PictureLook look;
    look.brightness =
        m_brightnessOn == 1 ? std::clamp(m_brightness, -MaxBrightness, MaxBrightness) : 0;
    look.turned = m_turnOn == 1 && m_turned != 0;
    if (look != m_look) {
        m_look = look;
        ApplyTarget();
    }
    return PlaybackResult::Done;
}

bool PlaybackGraph::GrabFrame(QImage& frame) {
    // The picture on screen belongs to another time until that of the last seek is shown: a
    // moment's wait for it, never the old one instead.
    if (FramePending()) {
        m_pipeline->WaitForSeekPicture(GrabWait);
        Present();
    }
    if (!m_shown.source || FramePending() || m_shown.serial != m_pipeline->Serial())
        return false;
    const AVFrame* source = m_shown.source.get();
    QImage grabbed = m_converter.Convert(source, QSize(source->width, source->height), m_look);
    if (grabbed.isNull())
        return false;
    frame = grabbed;
    return true;
}

qint64 PlaybackGraph::ShownPosition() const {
    return m_shown.position;
}

bool PlaybackGraph::FramePending() const {
    return m_pipeline && m_pipeline->SeekPending();
}

const MediaInfo* PlaybackGraph::Info() const {
    return m_pipeline ? &m_pipeline->File().Info() : nullptr;
}

PictureTarget PlaybackGraph::Target() const {
    return {m_pictureSize, m_look, m_lookVersion};
}

void PlaybackGraph::ApplyTarget() {
    ++m_lookVersion;
    if (m_pipeline)
        m_pipeline->SetTarget(Target());
    RefreshShownPicture();
}

void PlaybackGraph::RefreshShownPicture() {
    if (!m_shown.source || m_shown.lookVersion == m_lookVersion)
        return;
    m_shown.picture = m_converter.Convert(m_shown.source.get(), m_pictureSize, m_look);
    m_shown.lookVersion = m_lookVersion;
    emit pictureChanged();
}

void PlaybackGraph::PostPresent() {
    if (!m_presentPosted.exchange(true))
        QMetaObject::invokeMethod(this, &PlaybackGraph::Present, Qt::QueuedConnection);
}

void PlaybackGraph::Present() {
    m_presentPosted = false;
    if (!m_pipeline)
        return;
    const bool seekPending = m_pipeline->SeekPending();
    int waitMs = -1;
    std::optional<VideoFrame> due = m_pipeline->TakeDuePicture(waitMs);
    if (due) {
        m_shown = std::move(*due);
        RefreshShownPicture();
        emit pictureChanged();
    }
    if (waitMs >= 0)
        m_presentTimer.start(waitMs);
    if (seekPending && !m_pipeline->SeekPending())
        emit seekSettled();
}
