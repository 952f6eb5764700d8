#include "tools/skingen/Glyphs.h"
#include "tools/skingen/SkinPaint.h"

#include <QtMath>

void GlyphGear(QPainter& p, const QRectF& box, const QColor& ink) {
    GlyphCanvas canvas(p, box, ink);
    // Eight teeth: each tooth a pair of outer points between pairs of inner ones.
    QPainterPath gear;
    const int teeth = 8;
    for (int i = 0; i < teeth * 4; ++i) {
        const qreal angle = (i - 1.5) * 2 * M_PI / (teeth * 4);
        const qreal radius = (i % 4 < 2) ? 10.0 : 7.4;
        const QPointF point(12 + radius * qCos(angle), 12 + radius * qSin(angle));
        if (i == 0)
            gear.moveTo(point);
        else
            gear.lineTo(point);
    }
    gear.closeSubpath();
    gear.addEllipse(QPointF(12, 12), 3.3, 3.3);
    gear.setFillRule(Qt::OddEvenFill);
    canvas.Fill(gear);
}

void GlyphMinimize(QPainter& p, const QRectF& box, const QColor& ink) {
    GlyphCanvas(p, box, ink).Line(6, 16.5, 18, 16.5);
}

void GlyphClose(QPainter& p, const QRectF& box, const QColor& ink) {
    GlyphCanvas canvas(p, box, ink);
    canvas.Line(6.5, 6.5, 17.5, 17.5);
    canvas.Line(17.5, 6.5, 6.5, 17.5);
}

void GlyphRotate(QPainter& p, const QRectF& box, const QColor& ink) {
    GlyphCanvas canvas(p, box, ink);
    // A turn of most of a circle, clockwise, ending in an arrow head at the left.
    const QRectF circle(4.5, 4.5, 15, 15);
    QPainterPath arc;
    arc.arcMoveTo(circle, 100);
    arc.arcTo(circle, 100, -280);
    canvas.Stroke(arc);
    const qreal end = qDegreesToRadians(100.0 - 280.0);
    const QPointF tip(12 + 7.5 * qCos(end), 12 - 7.5 * qSin(end));
    // Clockwise on screen: the tangent points to increasing screen angle.
    const QPointF along(qSin(end), qCos(end));
    const QPointF across(-along.y(), along.x());
    QPainterPath head;
    head.moveTo(tip + along * 3.6);
    head.lineTo(tip - along * 1.2 + across * 3.4);
    head.lineTo(tip - along * 1.2 - across * 3.4);
    head.closeSubpath();
    canvas.Solid(head);
}

void GlyphCamera(QPainter& p, const QRectF& box, const QColor& ink) {
    GlyphCanvas canvas(p, box, ink, 2.0);
    QPainterPath body;
    body.moveTo(3, 8.5);
    body.lineTo(7.5, 8.5);
    body.lineTo(9.2, 5.5);
    body.lineTo(14.8, 5.5);
    body.lineTo(16.5, 8.5);
    body.lineTo(21, 8.5);
    body.lineTo(21, 19.5);
    body.lineTo(3, 19.5);
    body.closeSubpath();
    canvas.Stroke(body);
    QPainterPath lens;
    lens.addEllipse(QPointF(12, 13.8), 3.5, 3.5);
    canvas.Stroke(lens);
}

void GlyphExpand(QPainter& p, const QRectF& box, const QColor& ink) {
    GlyphCanvas canvas(p, box, ink);
    canvas.Polyline({{4, 9.5}, {4, 4}, {9.5, 4}});
    canvas.Polyline({{14.5, 4}, {20, 4}, {20, 9.5}});
    canvas.Polyline({{20, 14.5}, {20, 20}, {14.5, 20}});
    canvas.Polyline({{9.5, 20}, {4, 20}, {4, 14.5}});
}

void GlyphCollapse(QPainter& p, const QRectF& box, const QColor& ink) {
    GlyphCanvas canvas(p, box, ink);
    canvas.Polyline({{9.5, 4}, {9.5, 9.5}, {4, 9.5}});
    canvas.Polyline({{14.5, 4}, {14.5, 9.5}, {20, 9.5}});
    canvas.Polyline({{20, 14.5}, {14.5, 14.5}, {14.5, 20}});
    canvas.Polyline({{4, 14.5}, {9.5, 14.5}, {9.5, 20}});
}

void GlyphFolder(QPainter& p, const QRectF& box, const QColor& ink) {
    GlyphCanvas canvas(p, box, ink, 2.0);
    QPainterPath folder;
    folder.moveTo(3, 18.5);
    folder.lineTo(3, 5.5);
    folder.lineTo(9, 5.5);
    folder.lineTo(11, 8);
    folder.lineTo(21, 8);
    folder.lineTo(21, 18.5);
    folder.closeSubpath();
    canvas.Stroke(folder);
    canvas.Line(3, 11, 21, 11);
}

void GlyphCalendar(QPainter& p, const QRectF& box, const QColor& ink) {
    GlyphCanvas canvas(p, box, ink, 2.0);
    QPainterPath sheet;
    sheet.addRoundedRect(3.5, 5.5, 17, 15, 2, 2);
    canvas.Stroke(sheet);
    QPainterPath top;
    top.addRect(3.5, 5.5, 17, 4);
    canvas.Fill(top);
    canvas.Line(8, 3, 8, 7);
    canvas.Line(16, 3, 16, 7);
    QPainterPath days;
    for (int row = 0; row < 2; ++row) {
        for (int column = 0; column < 3; ++column)
            days.addRect(6.5 + column * 4.2, 12 + row * 4, 2.4, 2.2);
    }
    canvas.Fill(days);
}

void GlyphDownload(QPainter& p, const QRectF& box, const QColor& ink) {
    GlyphCanvas canvas(p, box, ink);
    canvas.Line(12, 3.5, 12, 14);
    canvas.Polyline({{7.5, 10}, {12, 14.5}, {16.5, 10}});
    canvas.Polyline({{4, 15}, {4, 20}, {20, 20}, {20, 15}});
}

void GlyphTrash(QPainter& p, const QRectF& box, const QColor& ink) {
    GlyphCanvas canvas(p, box, ink, 2.0);
    canvas.Line(4, 6.5, 20, 6.5);
    canvas.Polyline({{9.5, 6.5}, {9.5, 4}, {14.5, 4}, {14.5, 6.5}});
    canvas.Polyline({{6, 6.5}, {7, 20.5}, {17, 20.5}, {18, 6.5}});
    canvas.Line(10.2, 10, 10.2, 17);
    canvas.Line(13.8, 10, 13.8, 17);
}

void GlyphCheckAll(QPainter& p, const QRectF& box, const QColor& ink) {
    GlyphCanvas canvas(p, box, ink, 2.0);
    canvas.Polyline({{7.5, 4}, {20, 4}, {20, 16.5}});
    QPainterPath front;
    front.addRoundedRect(3.5, 7.5, 13, 13, 2, 2);
    canvas.Stroke(front);
    canvas.Polyline({{6.5, 14}, {9.2, 16.7}, {14, 11.2}});
}

void GlyphFileList(QPainter& p, const QRectF& box, const QColor& ink) {
    GlyphCanvas canvas(p, box, ink);
    for (const qreal y : {6.5, 12.0, 17.5}) {
        QPainterPath dot;
        dot.addEllipse(QPointF(5, y), 1.5, 1.5);
        canvas.Fill(dot);
        canvas.Line(9, y, 20, y);
    }
}

void GlyphIncidentPack(QPainter& p, const QRectF& box, const QColor& ink) {
    GlyphCanvas canvas(p, box, ink, 2.0);
    canvas.Polyline({{14, 3.5}, {5.5, 3.5}, {5.5, 20.5}, {18.5, 20.5}, {18.5, 8}, {14, 3.5}});
    canvas.Polyline({{8.5, 13}, {11, 15.5}, {15.5, 10.5}});
}

void GlyphLetterPath(QPainter& p, const QRectF& box, const QColor& ink, char letter) {
    GlyphCanvas canvas(p, box, ink);
    QPainterPath path;
    path.addText(0, 0, GeneratorFont(22, 800), QString(QChar::fromLatin1(letter)));
    const QRectF bounds = path.boundingRect();
    // Centred on the grid by its ink, not by the font's advance.
    path.translate(QPointF(12, 12) - bounds.center());
    canvas.Fill(path);
}
