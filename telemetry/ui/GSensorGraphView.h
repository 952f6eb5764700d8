#pragma once

#include "telemetry/GSensorSample.h"

#include <QList>
#include <QPixmap>
#include <QWidget>

// The G-sensor graph under the video: the curves as drawn at load, a thin cursor at the playback
// position over them, and a click that asks to play from the time under the pointer.
class GSensorGraphView : public QWidget {
    Q_OBJECT
public:
    explicit GSensorGraphView(QWidget* parent);

    // Draws the curves afresh on the skin's graph bitmap.
    void DrawGSensorGraph(const QList<GSensorSample>& samples, qint64 durationMs);
    // Small marks in the accent colour over the curves where driving events begin; the next
    // DrawGSensorGraph takes them away.
    void SetEventMarks(const QList<qint64>& positionsMs);
    const QList<int>& EventMarkColumns() const { return m_eventColumns; }
    void SetCursorPosition(qint64 positionMs);
    void ClearCursor();

    const QImage& Graph() const { return m_graph; }
    // The cursor's column, -1 while there is none.
    int CursorX() const { return m_cursorX; }
    // What the pointer over column x reads: the time and the three values of the sample shown
    // there, in the sensor's own units (-120 to 120); empty where no sample is.
    QString ReadoutAt(int x) const;

signals:
    void seekRequested(qint64 positionMs);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void UpdateColumn(int x);

    QList<GSensorSample> m_samples;
    QImage m_graph;
    QPixmap m_keyed;
    qint64 m_durationMs = 0;
    int m_cursorX = -1;
    QList<int> m_eventColumns;
};
