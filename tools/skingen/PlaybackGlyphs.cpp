#include "tools/skingen/Glyphs.h"

static QPainterPath Closed(std::initializer_list<QPointF> points) {
    QPainterPath path;
    path.addPolygon(QPolygonF(QList<QPointF>(points)));
    path.closeSubpath();
    return path;
}

static QPainterPath Bar(qreal x, qreal y, qreal w, qreal h) {
    QPainterPath path;
    path.addRoundedRect(x, y, w, h, 1.0, 1.0);
    return path;
}

void GlyphPlay(QPainter& p, const QRectF& box, const QColor& ink) {
    GlyphCanvas(p, box, ink).Solid(Closed({{7.5, 4.5}, {19.5, 12}, {7.5, 19.5}}));
}

void GlyphPause(QPainter& p, const QRectF& box, const QColor& ink) {
    GlyphCanvas canvas(p, box, ink);
    canvas.Fill(Bar(6, 4.5, 4.2, 15));
    canvas.Fill(Bar(13.8, 4.5, 4.2, 15));
}

void GlyphPrevious(QPainter& p, const QRectF& box, const QColor& ink) {
    GlyphCanvas canvas(p, box, ink);
    canvas.Fill(Bar(4.5, 5.5, 2.8, 13));
    canvas.Solid(Closed({{19, 5.8}, {9.5, 12}, {19, 18.2}}));
}

void GlyphNext(QPainter& p, const QRectF& box, const QColor& ink) {
    GlyphCanvas canvas(p, box, ink);
    canvas.Fill(Bar(16.7, 5.5, 2.8, 13));
    canvas.Solid(Closed({{5, 5.8}, {14.5, 12}, {5, 18.2}}));
}

void GlyphStepBack(QPainter& p, const QRectF& box, const QColor& ink) {
    GlyphCanvas canvas(p, box, ink);
    canvas.Solid(Closed({{12, 6.5}, {3.5, 12}, {12, 17.5}}));
    canvas.Solid(Closed({{20.5, 6.5}, {12, 12}, {20.5, 17.5}}));
}

void GlyphStepForward(QPainter& p, const QRectF& box, const QColor& ink) {
    GlyphCanvas canvas(p, box, ink);
    canvas.Solid(Closed({{3.5, 6.5}, {12, 12}, {3.5, 17.5}}));
    canvas.Solid(Closed({{12, 6.5}, {20.5, 12}, {12, 17.5}}));
}

static void SpeakerBody(GlyphCanvas& canvas) {
    canvas.Solid(Closed({{3, 9.2}, {6.8, 9.2}, {11.5, 5}, {11.5, 19}, {6.8, 14.8}, {3, 14.8}}));
}

void GlyphSpeaker(QPainter& p, const QRectF& box, const QColor& ink) {
    GlyphCanvas canvas(p, box, ink, 2.0);
    SpeakerBody(canvas);
    QPainterPath near;
    near.arcMoveTo(QRectF(9.5, 8, 8, 8), 50);
    near.arcTo(QRectF(9.5, 8, 8, 8), 50, -100);
    canvas.Stroke(near);
    QPainterPath far;
    far.arcMoveTo(QRectF(8, 4, 16, 16), 48);
    far.arcTo(QRectF(8, 4, 16, 16), 48, -96);
    canvas.Stroke(far);
}

void GlyphSpeakerMuted(QPainter& p, const QRectF& box, const QColor& ink) {
    GlyphCanvas canvas(p, box, ink, 2.0);
    SpeakerBody(canvas);
    canvas.Line(15, 9, 21, 15);
    canvas.Line(21, 9, 15, 15);
}
