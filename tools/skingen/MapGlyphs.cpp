#include "tools/skingen/Glyphs.h"

void GlyphMapPin(QPainter& p, const QRectF& box, const QColor& ink) {
    GlyphCanvas canvas(p, box, ink);
    QPainterPath pin;
    pin.moveTo(12, 21.5);
    pin.cubicTo(7, 15.5, 4.5, 12.5, 4.5, 9.5);
    pin.cubicTo(4.5, 5.2, 8, 2.5, 12, 2.5);
    pin.cubicTo(16, 2.5, 19.5, 5.2, 19.5, 9.5);
    pin.cubicTo(19.5, 12.5, 17, 15.5, 12, 21.5);
    pin.closeSubpath();
    pin.addEllipse(QPointF(12, 9.5), 3, 3);
    pin.setFillRule(Qt::OddEvenFill);
    canvas.Fill(pin);
}

// A folded map in the lower part of the grid, from y = top to y = 21.
static void FoldedMap(GlyphCanvas& canvas, qreal top) {
    const qreal h = 21 - top;
    QPainterPath map;
    map.moveTo(3, top + 2);
    map.lineTo(9, top);
    map.lineTo(15, top + 2);
    map.lineTo(21, top);
    map.lineTo(21, top + h - 2);
    map.lineTo(15, top + h);
    map.lineTo(9, top + h - 2);
    map.lineTo(3, top + h);
    map.closeSubpath();
    canvas.Stroke(map);
    canvas.Line(9, top, 9, top + h - 2);
    canvas.Line(15, top + 2, 15, top + h);
}

void GlyphMapEnlarge(QPainter& p, const QRectF& box, const QColor& ink) {
    GlyphCanvas canvas(p, box, ink, 2.0);
    FoldedMap(canvas, 7);
    canvas.Polyline({{15.5, 2.5}, {21, 2.5}, {21, 5}});
    canvas.Polyline({{3, 5}, {3, 2.5}, {8.5, 2.5}});
}

void GlyphMapPaneOpen(QPainter& p, const QRectF& box, const QColor& ink) {
    GlyphCanvas canvas(p, box, ink, 2.0);
    FoldedMap(canvas, 9.5);
    canvas.Polyline({{8, 6}, {12, 2.5}, {16, 6}});
}

void GlyphMapPaneClose(QPainter& p, const QRectF& box, const QColor& ink) {
    GlyphCanvas canvas(p, box, ink, 2.0);
    FoldedMap(canvas, 9.5);
    canvas.Polyline({{8, 2.5}, {12, 6}, {16, 2.5}});
}
