#include "telemetry/ui/GSensorGraphView.h"

#include "skin/BitmapIds.h"
#include "skin/SkinBitmaps.h"
#include "skin/SkinColours.h"
#include "telemetry/display/GSensorGraph.h"

#include <QBitmap>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <algorithm>

GSensorGraphView::GSensorGraphView(QWidget* parent) : QWidget(parent) {
    setGeometry(QRect(GSensorGraph::Position, QSize(GSensorGraph::Width, GSensorGraph::Height)));
    setCursor(Qt::PointingHandCursor);
    // The read-out follows the pointer without a button held.
    setMouseTracking(true);
}

void GSensorGraphView::DrawGSensorGraph(const QList<GSensorSample>& samples, qint64 durationMs) {
    m_durationMs = durationMs;
    m_samples = samples;
    m_graph = GSensorGraph::Draw(SkinImage(BitmapId::GSensorGraph), samples, durationMs);
    m_keyed = QPixmap::fromImage(m_graph);
    m_keyed.setMask(m_keyed.createMaskFromColor(SkinColour::OverlayKey, Qt::MaskInColor));
    m_cursorX = -1;
    m_eventColumns.clear();
    update();
}

void GSensorGraphView::SetEventMarks(const QList<qint64>& positionsMs) {
    m_eventColumns.clear();
    for (const qint64 positionMs : positionsMs)
        if (const int x = GSensorGraph::CursorX(positionMs, m_durationMs); x >= 0)
            m_eventColumns.append(x);
    update();
}

void GSensorGraphView::SetCursorPosition(qint64 positionMs) {
    const int x = m_graph.isNull() ? -1 : GSensorGraph::CursorX(positionMs, m_durationMs);
    if (x == m_cursorX)
        return;
    // Only the two columns change: the curves are not drawn again.
    UpdateColumn(m_cursorX);
    m_cursorX = x;
    UpdateColumn(m_cursorX);
}

void GSensorGraphView::ClearCursor() {
    UpdateColumn(m_cursorX);
    m_cursorX = -1;
}

void GSensorGraphView::UpdateColumn(int x) {
    if (x >= 0)
        update(x, 0, 1, height());
}

namespace {

// Each lane's limits and zero at the right edge, in the sensor's own units: the files do not say
// how many of them make 1 g.
void DrawValueScale(QPainter& painter, int width) {
    QFont font = painter.font();
    font.setPixelSize(9);
    painter.setFont(font);
    painter.setPen(SkinColour::Text);
    const int limitPixels = int(GSensorSample::Limit * GSensorGraph::PixelsPerUnit);
    const int right = width - 3;
    for (const int baseline : GSensorGraph::Baselines) {
        const int top = baseline - limitPixels;
        const int bottom = baseline + limitPixels;
        for (const int y : {top, baseline, bottom})
            painter.drawLine(right - 3, y, right, y);
        const QRect label(right - 40, 0, 35, 10);
        painter.drawText(label.translated(0, top), Qt::AlignRight | Qt::AlignTop,
                         QString::number(GSensorSample::Limit));
        painter.drawText(label.translated(0, baseline - 5), Qt::AlignRight | Qt::AlignVCenter,
                         QStringLiteral("0"));
        painter.drawText(label.translated(0, bottom - 9), Qt::AlignRight | Qt::AlignBottom,
                         QString::number(-GSensorSample::Limit));
    }
}

} // namespace

void GSensorGraphView::paintEvent(QPaintEvent*) {
    if (m_keyed.isNull())
        return;
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_keyed);
    DrawValueScale(painter, width());
    painter.setPen(Qt::NoPen);
    painter.setBrush(SkinColour::Signal);
    for (const int x : m_eventColumns) {
        const QPoint mark[] = {{x - 4, 0}, {x + 4, 0}, {x, 7}};
        painter.drawPolygon(mark, 3);
    }
    if (m_cursorX >= 0)
        painter.fillRect(m_cursorX, 0, 1, height(), SkinColour::Text);
}

void GSensorGraphView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || m_graph.isNull() ||
        GSensorGraph::CursorX(0, m_durationMs) < 0)
        return;
    emit seekRequested(GSensorGraph::PositionAtX(event->position().toPoint().x(), m_durationMs));
}

QString GSensorGraphView::ReadoutAt(int x) const {
    if (m_graph.isNull() || m_samples.isEmpty() || GSensorGraph::CursorX(0, m_durationMs) < 0)
        return {};
    const qint64 positionMs = GSensorGraph::PositionAtX(x, m_durationMs);
    // The sample shown at a time is the last one taken at or before it.
    const auto after =
        std::upper_bound(m_samples.cbegin(), m_samples.cend(), positionMs,
                         [](qint64 ms, const GSensorSample& sample) { return ms < sample.offset; });
    if (after == m_samples.cbegin())
        return {};
    const GSensorSample& sample = *(after - 1);
    const qint64 seconds = positionMs / 1000;
    return QStringLiteral("%1:%2.%3   X %4   Y %5   Z %6")
        .arg(seconds / 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'))
        .arg(positionMs % 1000 / 100)
        .arg(sample.x)
        .arg(sample.y)
        .arg(sample.z);
}

void GSensorGraphView::mouseMoveEvent(QMouseEvent* event) {
    const QString readout = ReadoutAt(event->position().toPoint().x());
    if (readout.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(event->globalPosition().toPoint(), readout, this);
}
