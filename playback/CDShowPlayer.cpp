#include "playback/CDShowPlayer.h"

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

CDShowPlayer::CDShowPlayer(AudioOutputFactory audio) : m_audio(std::move(audio)) {}

CDShowPlayer::~CDShowPlayer() = default;

void CDShowPlayer::Attach(QSize clientSize) {
    m_attached = true;
    m_clientSize = clientSize;
    if (!m_graph)
        ReplaceGraph();
}

void CDShowPlayer::ReplaceGraph() {
    Stop();
    m_graph.reset();
    m_graph = std::make_unique<CDShowGraph>(m_clientSize, m_audio);
    m_graph->SetVolume(m_volume);
    connect(m_graph.get(), &CDShowGraph::pictureChanged, this, &CDShowPlayer::pictureChanged);
}

int CDShowPlayer::CheckFilters() {
    ReplaceGraph();
    return CheckPlaybackPieces(ProbePlaybackPieces());
}

bool CDShowPlayer::BeginOpen(const QString& path) {
    m_error.clear();
    if (!m_attached || path.isEmpty()) {
        m_error = QStringLiteral("no file");
        return false;
    }
    ReplaceGraph();
    const int openCount = ++m_openCount;
    const HRESULT built = m_graph->Build(path);
    if (FAILED(built)) {
        Failed(path);
        return false;
    }
    if (built == VFW_S_STATE_INTERMEDIATE) {
        // Queued: the graph may not go while it is still telling.
        connect(
            m_graph.get(), &CDShowGraph::built, this,
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

bool CDShowPlayer::Open(const QString& path) {
    if (!BeginOpen(path))
        return false;
    if (Opening()) {
        QEventLoop loop;
        connect(this, &CDShowPlayer::opened, &loop, &QEventLoop::quit);
        loop.exec();
    }
    if (!m_graph)
        return false;
    WaitForShownPicture(*m_graph, FirstPictureTimeoutMs);
    return true;
}

void CDShowPlayer::Failed(const QString& path) {
    m_error = m_graph->Error();
    qCInfo(lcPlayback, "cannot play %s: %s", qUtf8Printable(path), qUtf8Printable(m_error));
    m_graph.reset();
    emit pictureChanged();
}

bool CDShowPlayer::Play() {
    return m_graph && SUCCEEDED(m_graph->Run());
}

bool CDShowPlayer::Pause() {
    return m_graph && SUCCEEDED(m_graph->Pause());
}

void CDShowPlayer::Stop() {
    if (!HasMedia())
        return;
    m_graph->Stop();
    m_graph->SetCurrentPosition(0);
}

bool CDShowPlayer::SetRate(float rate) {
    if (!m_graph)
        return false;
    const bool wasRunning = m_graph->State() == CDShowGraph::Running;
    m_graph->Pause();
    m_graph->SetRate(rate);
    if (wasRunning)
        m_graph->Run();
    return true;
}

bool CDShowPlayer::SeekMs(int ms) {
    if (!m_graph || m_graph->State() == CDShowGraph::Empty)
        return true;
    return SUCCEEDED(m_graph->SetCurrentPosition(qint64(ms) * MediaTime::UnitsPerMs));
}

bool CDShowPlayer::StepBack(double seconds) {
    qint64 position;
    if (!HasMedia() || FAILED(m_graph->CurrentPosition(position)))
        return false;
    const qint64 target = position - qint64(std::llround(seconds * MediaTime::UnitsPerSecond));
    return SUCCEEDED(m_graph->SetCurrentPosition(std::max<qint64>(target, 0)));
}

bool CDShowPlayer::StepForward(double seconds) {
    qint64 position, duration;
    if (!HasMedia() || FAILED(m_graph->CurrentPosition(position)) ||
        FAILED(m_graph->Duration(duration)))
        return false;
    const qint64 target = position + qint64(std::llround(seconds * MediaTime::UnitsPerSecond));
    return SUCCEEDED(m_graph->SetCurrentPosition(std::min(target, duration)));
}

qint64 CDShowPlayer::PositionMs() {
    qint64 position = 0;
    if (!m_graph || FAILED(m_graph->CurrentPosition(position)))
        return 0;
    return position / MediaTime::UnitsPerMs;
}

qint64 CDShowPlayer::DurationMs() {
    qint64 duration = 0;
    if (!m_graph || FAILED(m_graph->Duration(duration)))
        return 0;
    return duration / MediaTime::UnitsPerMs;
}

bool CDShowPlayer::GrabFrame(QImage& frame) {
    return m_graph && m_graph->GrabFrame(frame);
}

void CDShowPlayer::Close() {
    m_graph.reset();
    emit pictureChanged();
}

int CDShowPlayer::State() const {
    return m_graph ? m_graph->State() : CDShowGraph::Empty;
}

void CDShowPlayer::SetBrightness(int brightness) {
    if (!m_graph)
        return;
    m_graph->SetDecoderParam(CDShowGraph::ParamBrightnessOn, 1);
    m_graph->SetDecoderParam(CDShowGraph::ParamBrightness, brightness);
}

void CDShowPlayer::SetVolume(quint32 volume) {
    m_volume = volume;
    if (m_graph)
        m_graph->SetVolume(volume);
}

void CDShowPlayer::Repaint(QSize clientSize) {
    m_clientSize = clientSize;
    if (m_graph)
        m_graph->Repaint(clientSize);
    else
        emit pictureChanged();
}

void CDShowPlayer::RepaintInto(QPainter& painter, const QRect& target) const {
    if (m_graph)
        m_graph->RepaintInto(painter, target);
    else
        painter.fillRect(target, Qt::black);
}
