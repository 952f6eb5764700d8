#pragma once

#include <QColor>
#include <QPainter>
#include <QPainterPath>
#include <QRectF>

// The buttons' symbols. Each draws into a square box in one colour, on a 24 x 24 design grid.

// Playback
void GlyphPlay(QPainter& p, const QRectF& box, const QColor& ink);
void GlyphPause(QPainter& p, const QRectF& box, const QColor& ink);
void GlyphPrevious(QPainter& p, const QRectF& box, const QColor& ink);
void GlyphNext(QPainter& p, const QRectF& box, const QColor& ink);
void GlyphStepBack(QPainter& p, const QRectF& box, const QColor& ink);
void GlyphStepForward(QPainter& p, const QRectF& box, const QColor& ink);
void GlyphSpeaker(QPainter& p, const QRectF& box, const QColor& ink);
void GlyphSpeakerMuted(QPainter& p, const QRectF& box, const QColor& ink);

// Window and tools
void GlyphGear(QPainter& p, const QRectF& box, const QColor& ink);
void GlyphMinimize(QPainter& p, const QRectF& box, const QColor& ink);
void GlyphClose(QPainter& p, const QRectF& box, const QColor& ink);
void GlyphRotate(QPainter& p, const QRectF& box, const QColor& ink);
void GlyphCamera(QPainter& p, const QRectF& box, const QColor& ink);
void GlyphExpand(QPainter& p, const QRectF& box, const QColor& ink);
void GlyphCollapse(QPainter& p, const QRectF& box, const QColor& ink);
void GlyphFolder(QPainter& p, const QRectF& box, const QColor& ink);
void GlyphCalendar(QPainter& p, const QRectF& box, const QColor& ink);
void GlyphDownload(QPainter& p, const QRectF& box, const QColor& ink);
void GlyphTrash(QPainter& p, const QRectF& box, const QColor& ink);
void GlyphCheckAll(QPainter& p, const QRectF& box, const QColor& ink);
void GlyphFileList(QPainter& p, const QRectF& box, const QColor& ink);
void GlyphIncidentPack(QPainter& p, const QRectF& box, const QColor& ink);
template <char L> void GlyphLetter(QPainter& p, const QRectF& box, const QColor& ink);
void GlyphLetterPath(QPainter& p, const QRectF& box, const QColor& ink, char letter);

// Map
void GlyphMapPin(QPainter& p, const QRectF& box, const QColor& ink);
void GlyphMapEnlarge(QPainter& p, const QRectF& box, const QColor& ink);
void GlyphMapPaneOpen(QPainter& p, const QRectF& box, const QColor& ink);
void GlyphMapPaneClose(QPainter& p, const QRectF& box, const QColor& ink);

// Settings
void GlyphFloppy(QPainter& p, const QRectF& box, const QColor& ink);
void GlyphClock(QPainter& p, const QRectF& box, const QColor& ink);
void GlyphVideo(QPainter& p, const QRectF& box, const QColor& ink);
void GlyphMicrophone(QPainter& p, const QRectF& box, const QColor& ink);
void GlyphRecord(QPainter& p, const QRectF& box, const QColor& ink);
void GlyphDashcam(QPainter& p, const QRectF& box, const QColor& ink);
void GlyphInfo(QPainter& p, const QRectF& box, const QColor& ink);
void GlyphChevronUp(QPainter& p, const QRectF& box, const QColor& ink);
void GlyphChevronDown(QPainter& p, const QRectF& box, const QColor& ink);

// Marks of the background
void GlyphGauge(QPainter& p, const QRectF& box, const QColor& ink);
void GlyphSun(QPainter& p, const QRectF& box, const QColor& ink);

template <char L> void GlyphLetter(QPainter& p, const QRectF& box, const QColor& ink) {
    GlyphLetterPath(p, box, ink, L);
}

// Sets up a painter on the 24 x 24 grid of a box, with a round pen of the ink; restores it after.
class GlyphCanvas {
public:
    GlyphCanvas(QPainter& p, const QRectF& box, const QColor& ink, qreal penWidth = 2.2);
    ~GlyphCanvas() { m_p.restore(); }
    void Stroke(const QPainterPath& path);
    void Fill(const QPainterPath& path);
    // Filled and outlined, so that sharp shapes get rounded corners.
    void Solid(const QPainterPath& path);
    void Line(qreal x1, qreal y1, qreal x2, qreal y2);
    void Polyline(std::initializer_list<QPointF> points);

private:
    QPainter& m_p;
    QColor m_ink;
    qreal m_penWidth;
};
