#include "skin/BitmapIds.h"
#include "tools/skingen/Glyphs.h"
#include "tools/skingen/Pictures.h"
#include "tools/skingen/SkinPaint.h"

void PaintAppIcon(QPainter& p, const QSize& size, int) {
    const QRectF r(QPointF(0, 0), size);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.fillRect(r, Qt::transparent);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient gradient(r.topLeft(), r.bottomLeft());
    gradient.setColorAt(0, Shade::Strip.lighter(115));
    gradient.setColorAt(1, Shade::Ground);
    p.setPen(QPen(Shade::Void, 2));
    p.setBrush(gradient);
    p.drawRoundedRect(r.adjusted(2, 2, -2, -2), r.width() * 0.2, r.width() * 0.2);
    p.restore();
    DrawLensMark(p, r.center(), r.width() * 0.36);
}

void PaintControlBar(QPainter& p, const QSize& size, int) {
    const QRectF r(QPointF(0, 0), size);
    FillVertical(p, r, Shade::Panel, Shade::Ground.darker(140));
    p.fillRect(QRectF(0, 0, r.width(), 1), Shade::Void);
    p.fillRect(QRectF(0, 1, r.width(), 1), QColor(255, 255, 255, 20));
}

void PaintTitleBar(QPainter& p, const QSize& size, int) {
    DrawTitleStrip(p, QRectF(QPointF(0, 0), size));
}

void PaintMapHeader(QPainter& p, const QSize& size, int) {
    const QRectF r(QPointF(0, 0), size);
    DrawTitleStrip(p, r);
    p.fillRect(QRectF(0, 0, r.width(), 1), Shade::Void);
    GlyphMapPin(p, QRectF(8, 6, 16, 16), SkinColour::Signal);
    DrawLabel(p, QPointF(29, 18), QStringLiteral("GPS"), 10);
    // The speed read-out: three digits of 10 x 15 drawn at (170, 6), then the unit.
    DrawWell(p, QRectF(166, 3, 38, 21), 3, Shade::Void);
    DrawLabel(p, QPointF(208, 18), QStringLiteral("km/h"), 9);
}

void PaintGraph(QPainter& p, const QSize& size, int) {
    // Three bands, one per axis, each with its zero line in the middle.
    const int band = size.height() / 3;
    for (int axis = 0; axis < 3; ++axis) {
        const QRect area(0, axis * band, size.width(), axis == 2 ? size.height() - 2 * band : band);
        p.fillRect(area, axis == 1 ? Shade::Well.lighter(110) : Shade::Well);
    }
    for (int x = size.width() / 10; x < size.width(); x += size.width() / 10)
        p.fillRect(QRect(x, 0, 1, size.height()), QColor(255, 255, 255, 9));
    for (int axis = 0; axis < 3; ++axis) {
        const int zero = axis * band + band / 2;
        for (int x = 0; x < size.width(); x += 6)
            p.fillRect(QRect(x, zero, 3, 1), Shade::Edge);
        if (axis > 0)
            p.fillRect(QRect(0, axis * band, size.width(), 1), Shade::Void);
    }
}

void PaintSpeedDigit(QPainter& p, const QSize& size, int id) {
    // Seven segments, crisp so that no edge blends into the see-through green around them.
    static const bool segmentsOf[10][7] = {
        // top, upper left, upper right, middle, lower left, lower right, bottom
        {1, 1, 1, 0, 1, 1, 1}, {0, 0, 1, 0, 0, 1, 0}, {1, 0, 1, 1, 1, 0, 1}, {1, 0, 1, 1, 0, 1, 1},
        {0, 1, 1, 1, 0, 1, 0}, {1, 1, 0, 1, 0, 1, 1}, {1, 1, 0, 1, 1, 1, 1}, {1, 0, 1, 0, 0, 1, 0},
        {1, 1, 1, 1, 1, 1, 1}, {1, 1, 1, 1, 0, 1, 1}};
    const QRect segments[7] = {{3, 0, 4, 2}, {1, 2, 2, 4}, {7, 2, 2, 4}, {3, 6, 4, 2},
                               {1, 8, 2, 4}, {7, 8, 2, 4}, {3, 12, 4, 2}};
    const int digit = id - BitmapId::FirstSpeedDigit;
    p.fillRect(QRect(QPoint(0, 0), size), SkinColour::OverlayKey);
    for (int s = 0; s < 7; ++s) {
        const QColor ink =
            segmentsOf[digit][s] ? SkinColour::Signal.lighter(112) : QColor(38, 39, 42);
        p.fillRect(segments[s], ink);
    }
}
