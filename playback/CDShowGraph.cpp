#include "playback/CDShowGraph.h"

#include "playback/PlaybackPipeline.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace {

constexpr float MinRate = 0.5f;
constexpr float MaxRate = 2.0f;
constexpr int MaxBrightness = 150;
// A card that does not deliver the first picture within this time counts as unreadable.
constexpr std::chrono::seconds FirstPictureTimeout(10);

} // namespace

CDShowGraph::CDShowGraph(QWidget* videoWindow, QSize offscreenSize, AudioOutputFactory audio)
    : videoWindow_(videoWindow), offscreenSize_(offscreenSize), audio_(std::move(audio)) {
    presentTimer_.setSingleShot(true);
    presentTimer_.setTimerType(Qt::PreciseTimer);
    connect(&presentTimer_, &QTimer::timeout, this, &CDShowGraph::Present);
}

CDShowGraph::~CDShowGraph() {
    // Threads first: nothing may post to this object once it starts going.
    pipeline_.reset();
}

HRESULT CDShowGraph::Build(const QString& path) {
    std::unique_ptr<MediaFile> file = MediaFile::Open(path);
    if (!file)
        return E_FAIL;
    std::unique_ptr<AudioOutput> output = file->AudioStream() && audio_ ? audio_() : nullptr;
    const QSize videoSize(file->Info().video.width, file->Info().video.height);
    pipeline_ = std::make_unique<PlaybackPipeline>(std::move(file), std::move(output),
                                                   [this] { PostPresent(); });
    pictureSize_ = videoWindow_ ? QSize() : offscreenSize_;
    if (pictureSize_.isEmpty() && videoWindow_)
        pictureSize_ = videoWindow_->size() * videoWindow_->devicePixelRatioF();
    if (pictureSize_.isEmpty())
        pictureSize_ = videoSize;
    SetVolume(volume_);
    if (!pipeline_->Start(Target()) || !pipeline_->WaitForFirstPicture(FirstPictureTimeout)) {
        pipeline_.reset();
        return E_FAIL;
    }
    durationCache_ = 0;
    state_ = Stopped;
    Present();
    qint64 duration;
    Duration(duration);
    return S_OK;
}

HRESULT CDShowGraph::Run() {
    if (state_ != Paused && state_ != Stopped)
        return VFW_E_WRONG_STATE;
    qint64 position, duration;
    // A finished recording starts again.
    if (SUCCEEDED(CurrentPosition(position)) && SUCCEEDED(Duration(duration)) &&
        position == duration)
        SetCurrentPosition(0);
    if (std::isnan(rate_))
        rate_ = 1.0f;
    if (rate_ != 1.0f)
        rate_ = std::clamp(rate_, MinRate, MaxRate);
    pipeline_->SetRate(rate_);
    pipeline_->SetPlaying(true);
    state_ = Running;
    Present();
    return S_OK;
}

HRESULT CDShowGraph::Pause() {
    if (!pipeline_)
        return VFW_E_WRONG_STATE;
    pipeline_->SetPlaying(false);
    state_ = Paused;
    Present();
    return S_OK;
}

HRESULT CDShowGraph::Stop() {
    if (state_ != Running && state_ != Paused)
        return VFW_E_WRONG_STATE;
    pipeline_->SetPlaying(false);
    state_ = Stopped;
    return S_OK;
}

HRESULT CDShowGraph::CurrentPosition(qint64& position) {
    if (!pipeline_)
        return E_FAIL;
    position = pipeline_->Position();
    return S_OK;
}

HRESULT CDShowGraph::Duration(qint64& duration) {
    if (!pipeline_)
        return E_FAIL;
    if (durationCache_ == 0)
        durationCache_ = pipeline_->File().Duration();
    duration = durationCache_;
    return S_OK;
}

HRESULT CDShowGraph::SetCurrentPosition(qint64 position) {
    if (!pipeline_)
        return E_FAIL;
    pipeline_->Seek(position);
    presentTimer_.stop();
    return S_OK;
}

void CDShowGraph::SetVolume(quint32 volume) {
    volume_ = volume;
    if (pipeline_)
        pipeline_->SetGains(float(volume & 0xFFFF) / 0xFFFF, float(volume >> 16) / 0xFFFF);
}

void CDShowGraph::Repaint() {
    if (!videoWindow_)
        return;
    const QSize size = videoWindow_->size() * videoWindow_->devicePixelRatioF();
    if (!size.isEmpty() && size != pictureSize_) {
        pictureSize_ = size;
        ApplyTarget();
    }
    videoWindow_->update();
}

void CDShowGraph::RepaintInto(QPainter& painter, const QRect& target) const {
    if (shown_.picture.isNull())
        painter.fillRect(target, Qt::black);
    else
        painter.drawImage(target, shown_.picture);
}

HRESULT CDShowGraph::SetDecoderParam(int id, int value) {
    if (!pipeline_)
        return E_FAIL;
    switch (id) {
    case ParamBrightnessOn:
        brightnessOn_ = value;
        break;
    case ParamBrightness:
        brightness_ = value;
        break;
    case ParamTurnOn:
        turnOn_ = value;
        break;
    case ParamTurned:
        turned_ = value;
        break;
    default:
        return S_OK;
    }
    PictureLook look;
    look.brightness =
        brightnessOn_ == 1 ? std::clamp(brightness_, -MaxBrightness, MaxBrightness) : 0;
    look.turned = turnOn_ == 1 && turned_ != 0;
    if (look != look_) {
        look_ = look;
        ApplyTarget();
    }
    return S_OK;
}

bool CDShowGraph::GrabFrame(QImage& frame) {
    if (!shown_.source)
        return false;
    const AVFrame* source = shown_.source.get();
    QImage grabbed = converter_.Convert(source, QSize(source->width, source->height), look_);
    if (grabbed.isNull())
        return false;
    frame = grabbed;
    return true;
}

bool CDShowGraph::FramePending() const {
    return pipeline_ && pipeline_->SeekPending();
}

const MediaInfo* CDShowGraph::Info() const {
    return pipeline_ ? &pipeline_->File().Info() : nullptr;
}

PictureTarget CDShowGraph::Target() const {
    return {pictureSize_, look_, lookVersion_};
}

void CDShowGraph::ApplyTarget() {
    ++lookVersion_;
    if (pipeline_)
        pipeline_->SetTarget(Target());
    RefreshShownPicture();
}

void CDShowGraph::RefreshShownPicture() {
    if (!shown_.source || shown_.lookVersion == lookVersion_)
        return;
    shown_.picture = converter_.Convert(shown_.source.get(), pictureSize_, look_);
    shown_.lookVersion = lookVersion_;
    if (videoWindow_)
        videoWindow_->update();
}

void CDShowGraph::PostPresent() {
    if (!presentPosted_.exchange(true))
        QMetaObject::invokeMethod(this, &CDShowGraph::Present, Qt::QueuedConnection);
}

void CDShowGraph::Present() {
    presentPosted_ = false;
    if (!pipeline_)
        return;
    int waitMs = -1;
    std::optional<VideoFrame> due = pipeline_->TakeDuePicture(waitMs);
    if (due) {
        shown_ = std::move(*due);
        RefreshShownPicture();
        if (videoWindow_)
            videoWindow_->update();
    }
    if (waitMs >= 0)
        presentTimer_.start(waitMs);
    if (due)
        emit frameShown();
}
