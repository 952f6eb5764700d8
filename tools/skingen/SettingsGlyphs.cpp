#include "tools/skingen/Glyphs.h"

#include <QtMath>

void GlyphFloppy(QPainter& p, const QRectF& box, const QColor& ink) {
    GlyphCanvas canvas(p, box, ink, 2.0);
    QPainterPath disk;
    disk.moveTo(4, 4);
    disk.lineTo(16.5, 4);
    disk.lineTo(20, 7.5);
    disk.lineTo(20, 20);
    disk.lineTo(4, 20);
    disk.closeSubpath();
    canvas.Stroke(disk);
    canvas.Polyline({{8, 4}, {8, 8.5}, {15, 8.5}, {15, 4}});
    QPainterPath label;
    label.addRect(7.5, 13, 9, 7);
    canvas.Stroke(label);
}

void GlyphClock(QPainter& p, const QRectF& box, const QColor& ink) {
    GlyphCanvas canvas(p, box, ink, 2.0);
    QPainterPath face;
    face.addEllipse(QPointF(12, 12), 9, 9);
    canvas.Stroke(face);
    canvas.Polyline({{12, 6.5}, {12, 12}, {15.8, 14.2}});
}

void GlyphVideo(QPainter& p, const QRectF& box, const QColor& ink) {
    GlyphCanvas canvas(p, box, ink, 2.0);
    QPainterPath body;
    body.addRoundedRect(2.5, 6.5, 13.5, 11, 2, 2);
    canvas.Stroke(body);
    QPainterPath lens;
    lens.moveTo(16, 10.5);
    lens.lineTo(21.5, 7);
    lens.lineTo(21.5, 17);
    lens.lineTo(16, 13.5);
    canvas.Stroke(lens);
}

void GlyphMicrophone(QPainter& p, const QRectF& box, const QColor& ink) {
    GlyphCanvas canvas(p, box, ink, 2.0);
    QPainterPath capsule;
    capsule.addRoundedRect(9, 2.5, 6, 11.5, 3, 3);
    canvas.Stroke(capsule);
    QPainterPath cradle;
    cradle.moveTo(5.5, 10.5);
    cradle.cubicTo(5.5, 19, 18.5, 19, 18.5, 10.5);
    canvas.Stroke(cradle);
    canvas.Line(12, 16.8, 12, 21);
    canvas.Line(8.5, 21, 15.5, 21);
}

void GlyphRecord(QPainter& p, const QRectF& box, const QColor& ink) {
    GlyphCanvas canvas(p, box, ink, 2.0);
    QPainterPath ring;
    ring.addEllipse(QPointF(12, 12), 9, 9);
    canvas.Stroke(ring);
    QPainterPath dot;
    dot.addEllipse(QPointF(12, 12), 4.6, 4.6);
    canvas.Fill(dot);
}

void GlyphDashcam(QPainter& p, const QRectF& box, const QColor& ink) {
    GlyphCanvas canvas(p, box, ink, 2.0);
    QPainterPath body;
    body.addRoundedRect(2.5, 7, 19, 12, 3, 3);
    canvas.Stroke(body);
    QPainterPath lens;
    lens.addEllipse(QPointF(9, 13), 3.2, 3.2);
    canvas.Stroke(lens);
    QPainterPath led;
    led.addEllipse(QPointF(17, 10.5), 1.3, 1.3);
    canvas.Fill(led);
    canvas.Line(12, 7, 12, 3.5);
    canvas.Line(8.5, 3.5, 15.5, 3.5);
}

void GlyphInfo(QPainter& p, const QRectF& box, const QColor& ink) {
    GlyphCanvas canvas(p, box, ink, 2.0);
    QPainterPath ring;
    ring.addEllipse(QPointF(12, 12), 9, 9);
    canvas.Stroke(ring);
    QPainterPath dot;
    dot.addEllipse(QPointF(12, 7.6), 1.4, 1.4);
    canvas.Fill(dot);
    canvas.Line(12, 11, 12, 17);
}

void GlyphChevronUp(QPainter& p, const QRectF& box, const QColor& ink) {
    GlyphCanvas(p, box, ink, 3.0).Polyline({{6, 16}, {12, 9}, {18, 16}});
}

void GlyphChevronDown(QPainter& p, const QRectF& box, const QColor& ink) {
    GlyphCanvas(p, box, ink, 3.0).Polyline({{6, 8}, {12, 15}, {18, 8}});
}

void GlyphGauge(QPainter& p, const QRectF& box, const QColor& ink) {
    GlyphCanvas canvas(p, box, ink, 2.0);
    const QRectF dial(3, 5, 18, 18);
    QPainterPath arc;
    arc.arcMoveTo(dial, 200);
    arc.arcTo(dial, 200, -220);
    canvas.Stroke(arc);
    canvas.Line(12, 14, 16.5, 9);
    QPainterPath hub;
    hub.addEllipse(QPointF(12, 14), 1.8, 1.8);
    canvas.Fill(hub);
}

void GlyphSun(QPainter& p, const QRectF& box, const QColor& ink) {
    GlyphCanvas canvas(p, box, ink, 2.0);
    QPainterPath core;
    core.addEllipse(QPointF(12, 12), 4, 4);
    canvas.Fill(core);
    for (int i = 0; i < 8; ++i) {
        const qreal angle = i * M_PI / 4;
        canvas.Line(12 + 6.5 * qCos(angle), 12 + 6.5 * qSin(angle), 12 + 9.5 * qCos(angle),
                    12 + 9.5 * qSin(angle));
    }
}
