#include "tools/skingen/Glyphs.h"

#include <QPolygonF>

static constexpr qreal Grid = 24.0;

GlyphCanvas::GlyphCanvas(QPainter& p, const QRectF& box, const QColor& ink, qreal penWidth)
    : m_p(p), m_ink(ink), m_penWidth(penWidth) {
    m_p.save();
    m_p.setRenderHint(QPainter::Antialiasing);
    m_p.translate(box.topLeft());
    m_p.scale(box.width() / Grid, box.height() / Grid);
}

void GlyphCanvas::Stroke(const QPainterPath& path) {
    m_p.setPen(QPen(m_ink, m_penWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    m_p.setBrush(Qt::NoBrush);
    m_p.drawPath(path);
}

void GlyphCanvas::Fill(const QPainterPath& path) {
    m_p.setPen(Qt::NoPen);
    m_p.setBrush(m_ink);
    m_p.drawPath(path);
}

void GlyphCanvas::Solid(const QPainterPath& path) {
    m_p.setPen(QPen(m_ink, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    m_p.setBrush(m_ink);
    m_p.drawPath(path);
}

void GlyphCanvas::Line(qreal x1, qreal y1, qreal x2, qreal y2) {
    QPainterPath path({x1, y1});
    path.lineTo(x2, y2);
    Stroke(path);
}

void GlyphCanvas::Polyline(std::initializer_list<QPointF> points) {
    QPainterPath path;
    path.addPolygon(QPolygonF(QList<QPointF>(points)));
    Stroke(path);
}
