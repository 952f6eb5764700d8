#include "playback/CDShowPlayer.h"

#include "playback/FilterCheck.h"
#include "playback/MediaTime.h"

#include <QEvent>
#include <QPainter>
#include <cmath>

CDShowPlayer::CDShowPlayer(AudioOutputFactory audio) : audio_(std::move(audio)) {}

CDShowPlayer::~CDShowPlayer() = default;

void CDShowPlayer::Attach(QWidget* videoWindow) {
    if (videoWindow_)
        videoWindow_->removeEventFilter(this);
    videoWindow_ = videoWindow;
    offscreenSize_ = {};
    if (videoWindow_) {
        videoWindow_->setAttribute(Qt::WA_OpaquePaintEvent);
        videoWindow_->installEventFilter(this);
    }
    if (!graph_)
        ReplaceGraph();
}

void CDShowPlayer::Attach(QSize offscreenSize) {
    if (videoWindow_)
        videoWindow_->removeEventFilter(this);
    videoWindow_ = nullptr;
    offscreenSize_ = offscreenSize;
    if (!graph_)
        ReplaceGraph();
}

void CDShowPlayer::ReplaceGraph() {
    if (graph_ &&
        (graph_->State() == CDShowGraph::Running || graph_->State() == CDShowGraph::Paused)) {
        graph_->Stop();
        graph_->SetCurrentPosition(0);
    }
    graph_.reset();
    graph_ = std::make_unique<CDShowGraph>(videoWindow_, offscreenSize_, audio_);
    graph_->SetVolume(volume_);
}

int CDShowPlayer::CheckFilters() {
    ReplaceGraph();
    return CheckPlaybackPieces(ProbePlaybackPieces());
}

bool CDShowPlayer::Open(const QString& path) {
    if (!IsAttached() || path.isEmpty())
        return false;
    ReplaceGraph();
    if (FAILED(graph_->Build(path))) {
        graph_.reset();
        if (videoWindow_)
            videoWindow_->update();
        return false;
    }
    return true;
}

bool CDShowPlayer::Play() {
    return graph_ && SUCCEEDED(graph_->Run());
}

bool CDShowPlayer::SetRate(float rate) {
    if (!graph_)
        return false;
    const bool wasRunning = graph_->State() == CDShowGraph::Running;
    graph_->Pause();
    graph_->SetRate(rate);
    if (wasRunning)
        graph_->Run();
    return true;
}

bool CDShowPlayer::SeekMs(int ms) {
    if (!graph_ || graph_->State() == CDShowGraph::Empty)
        return true;
    return SUCCEEDED(graph_->SetCurrentPosition(qint64(ms) * MediaTime::UnitsPerMs));
}

bool CDShowPlayer::StepBack(double seconds) {
    if (!graph_ ||
        (graph_->State() != CDShowGraph::Running && graph_->State() != CDShowGraph::Paused))
        return false;
    qint64 position;
    if (FAILED(graph_->CurrentPosition(position)))
        return false;
    const qint64 target = position - qint64(std::llround(seconds * MediaTime::UnitsPerSecond));
    return SUCCEEDED(graph_->SetCurrentPosition(std::max<qint64>(target, 0)));
}

bool CDShowPlayer::StepForward(double seconds) {
    if (!graph_ ||
        (graph_->State() != CDShowGraph::Running && graph_->State() != CDShowGraph::Paused))
        return false;
    qint64 position, duration;
    if (FAILED(graph_->CurrentPosition(position)) || FAILED(graph_->Duration(duration)))
        return false;
    const qint64 target = position + qint64(std::llround(seconds * MediaTime::UnitsPerSecond));
    return SUCCEEDED(graph_->SetCurrentPosition(std::min(target, duration)));
}

qint64 CDShowPlayer::DurationMs() {
    qint64 duration = 0;
    if (!graph_ || FAILED(graph_->Duration(duration)))
        return 0;
    return duration / MediaTime::UnitsPerMs;
}

bool CDShowPlayer::GrabFrame(QImage& frame) {
    return graph_ && graph_->GrabFrame(frame);
}

void CDShowPlayer::Close() {
    graph_.reset();
    if (videoWindow_)
        videoWindow_->update();
}

void CDShowPlayer::SetVolume(quint32 volume) {
    volume_ = volume;
    if (graph_)
        graph_->SetVolume(volume);
}

bool CDShowPlayer::eventFilter(QObject* watched, QEvent* event) {
    if (watched == videoWindow_ && event->type() == QEvent::Paint) {
        QPainter painter(videoWindow_);
        const QRect client = videoWindow_->rect();
        if (graph_)
            graph_->RepaintInto(painter, client);
        else
            painter.fillRect(client, Qt::black);
        return true;
    }
    return QObject::eventFilter(watched, event);
}
