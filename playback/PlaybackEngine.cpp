#include "playback/PlaybackEngine.h"

#include "common/LogCategories.h"
#include "playback/FilterCheck.h"
#include "playback/MediaTime.h"
#include "playback/PictureWait.h"

#include <QEventLoop>
#include <QPainter>
#include <cmath>

namespace {

// Callers without a window take the first picture as part of the open.
constexpr int FirstPictureTimeoutMs = 10000;

} // namespace

PlaybackEngine::PlaybackEngine(AudioOutputFactory audio) : m_audio(std::move(audio)) {}

PlaybackEngine::~PlaybackEngine() = default;

void PlaybackEngine::Attach(QSize clientSize) {
    m_attached = true;
    m_clientSize = clientSize;
    if (!m_graph)
        ReplaceGraph();
}

void PlaybackEngine::ReplaceGraph() {
    Stop();
    m_graph.reset();
    m_graph = std::make_unique<PlaybackGraph>(m_clientSize, m_audio);
    m_graph->SetVolume(m_volume);
    connect(m_graph.get(), &PlaybackGraph::pictureChanged, this, &PlaybackEngine::pictureChanged);
}

int PlaybackEngine::CheckFilters() {
    ReplaceGraph();
    return CheckPlaybackPieces(ProbePlaybackPieces());
}

bool PlaybackEngine::BeginOpen(const QString& path) {
    m_error.clear();
    if (!m_attached || path.isEmpty()) {
        m_error = QStringLiteral("no file");
        return false;
    }
    ReplaceGraph();
    const int openCount = ++m_openCount;
    const PlaybackResult built = m_graph->Build(path);
    if (!Succeeded(built)) {
        Failed(path);
        return false;
    }
    if (built == PlaybackResult::Pending) {
        // Queued: the graph may not go while it is still telling.
        connect(
            m_graph.get(), &PlaybackGraph::built, this,
            [this, openCount, path](bool ok) {
                if (openCount != m_openCount)
                    return;
                if (!ok)
                    Failed(path);
                emit opened(ok);
            },
            Qt::QueuedConnection);
    }
    return true;
}

bool PlaybackEngine::Open(const QString& path) {
    if (!BeginOpen(path))
        return false;
    if (Opening()) {
        QEventLoop loop;
        connect(this, &PlaybackEngine::opened, &loop, &QEventLoop::quit);
        loop.exec();
    }
    if (!m_graph)
        return false;
    WaitForShownPicture(*m_graph, FirstPictureTimeoutMs);
    return true;
}

void PlaybackEngine::Failed(const QString& path) {
    m_error = m_graph->Error();
    qCInfo(lcPlayback, "cannot play %s: %s", qUtf8Printable(path), qUtf8Printable(m_error));
    m_graph.reset();
    emit pictureChanged();
}

bool PlaybackEngine::Play() {
    return m_graph && Succeeded(m_graph->Run());
}

bool PlaybackEngine::Pause() {
    return m_graph && Succeeded(m_graph->Pause());
}

void PlaybackEngine::Stop() {
    if (!HasMedia())
        return;
    m_graph->Stop();
    m_graph->SetCurrentPosition(0);
}

bool PlaybackEngine::SetRate(float rate) {
    if (!m_graph)
        return false;
    const bool wasRunning = m_graph->State() == PlaybackGraph::Running;
    m_graph->Pause();
    m_graph->SetRate(rate);
    if (wasRunning)
        m_graph->Run();
    return true;
}

bool PlaybackEngine::SeekMs(int ms) {
    if (!m_graph || m_graph->State() == PlaybackGraph::Empty)
        return true;
    return Succeeded(m_graph->SetCurrentPosition(qint64(ms) * MediaTime::UnitsPerMs));
}

bool PlaybackEngine::StepBack(double seconds) {
    qint64 position;
    if (!HasMedia() || !Succeeded(m_graph->CurrentPosition(position)))
        return false;
    const qint64 target = position - qint64(std::llround(seconds * MediaTime::UnitsPerSecond));
    return Succeeded(m_graph->SetCurrentPosition(std::max<qint64>(target, 0)));
}

bool PlaybackEngine::StepForward(double seconds) {
    qint64 position, duration;
    if (!HasMedia() || !Succeeded(m_graph->CurrentPosition(position)) ||
        !Succeeded(m_graph->Duration(duration)))
        return false;
    const qint64 target = position + qint64(std::llround(seconds * MediaTime::UnitsPerSecond));
    return Succeeded(m_graph->SetCurrentPosition(std::min(target, duration)));
}

bool PlaybackEngine::StepFrame(int direction) {
    return m_graph && Succeeded(m_graph->StepFrame(direction));
}

qint64 PlaybackEngine::PositionMs() {
    qint64 position = 0;
    if (!m_graph || !Succeeded(m_graph->CurrentPosition(position)))
        return 0;
    return position / MediaTime::UnitsPerMs;
}

qint64 PlaybackEngine::DurationMs() {
    qint64 duration = 0;
    if (!m_graph || !Succeeded(m_graph->Duration(duration)))
        return 0;
    return duration / MediaTime::UnitsPerMs;
}

bool PlaybackEngine::GrabFrame(QImage& frame) {
    return m_graph && m_graph->GrabFrame(frame);
}

void PlaybackEngine::Close() {
    m_graph.reset();
    emit pictureChanged();
}

int PlaybackEngine::State() const {
    return m_graph ? m_graph->State() : PlaybackGraph::Empty;
}

void PlaybackEngine::SetBrightness(int brightness) {
    if (!m_graph)
        return;
    m_graph->SetDecoderParam(PlaybackGraph::ParamBrightnessOn, 1);
    m_graph->SetDecoderParam(PlaybackGraph::ParamBrightness, brightness);
}

void PlaybackEngine::SetVolume(quint32 volume) {
    m_volume = volume;
    if (m_graph)
        m_graph->SetVolume(volume);
}

void PlaybackEngine::Repaint(QSize clientSize) {
    m_clientSize = clientSize;
    if (m_graph)
        m_graph->Repaint(clientSize);
    else
        emit pictureChanged();
}

void PlaybackEngine::RepaintInto(QPainter& painter, const QRect& target) const {
    if (m_graph)
        m_graph->RepaintInto(painter, target);
    else
        painter.fillRect(target, Qt::black);
}
