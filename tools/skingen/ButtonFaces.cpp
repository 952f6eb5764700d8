#include "tools/skingen/ButtonFaces.h"

#include "tools/skingen/SkinPaint.h"

#include <QLinearGradient>

// The glyph's share of the button's shorter side, per face.
static qreal GlyphShare(Face face) {
    switch (face) {
    case Face::Raised:
        return 0.74;
    case Face::Tab:
        return 0.58;
    default:
        return 0.74;
    }
}

static QColor InkFor(Face face, Look look) {
    if (look == Look::Hover)
        return Shade::Bright;
    if (look == Look::Pressed)
        return face == Face::FlatAlert ? Shade::Bright : SkinColour::Signal;
    return SkinColour::Text;
}

static void DrawPlate(QPainter& p, const QRectF& r, const QColor& top, const QColor& bottom,
                      const QColor& border, int highlightAlpha) {
    QLinearGradient gradient(r.topLeft(), r.bottomLeft());
    gradient.setColorAt(0, top);
    gradient.setColorAt(1, bottom);
    p.setPen(QPen(border, 1));
    p.setBrush(gradient);
    p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
    if (highlightAlpha > 0) {
        p.setPen(QPen(QColor(255, 255, 255, highlightAlpha), 1));
        p.drawLine(QPointF(r.left() + 4, r.top() + 1.5), QPointF(r.right() - 4, r.top() + 1.5));
    }
}

static void DrawFlat(QPainter& p, const QRectF& r, Look look, bool alert) {
    const QRectF plate = r.adjusted(1, 1, -1, -1);
    if (look == Look::Hover) {
        if (alert)
            DrawPlate(p, plate, SkinColour::Signal.lighter(110), SkinColour::Signal.darker(115),
                      Shade::Void, 60);
        else
            DrawPlate(p, plate, QColor(255, 255, 255, 34), QColor(255, 255, 255, 18),
                      QColor(255, 255, 255, 40), 0);
    } else if (look == Look::Pressed) {
        if (alert)
            DrawPlate(p, plate, SkinColour::Signal.darker(150), SkinColour::Signal.darker(125),
                      Shade::Void, 0);
        else
            DrawPlate(p, plate, QColor(0, 0, 0, 120), QColor(0, 0, 0, 70), Shade::Void, 0);
    }
}

static void DrawRaised(QPainter& p, const QRectF& r, Look look) {
    const QRectF plate = r.adjusted(0.5, 0.5, -0.5, -0.5);
    switch (look) {
    case Look::Normal:
        DrawPlate(p, plate, Shade::Edge.darker(105), Shade::Panel, Shade::Void, 40);
        break;
    case Look::Hover:
        DrawPlate(p, plate, Shade::Edge.lighter(130), Shade::Strip.lighter(118), Shade::Void, 90);
        p.setPen(QPen(Translucent(SkinColour::Signal, 150), 1));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(plate.adjusted(1, 1, -1, -1), 3, 3);
        break;
    case Look::Pressed:
        DrawPlate(p, plate, Shade::Well, Shade::Ground, Shade::Void, 0);
        break;
    }
}

static void DrawTab(QPainter& p, const QRectF& r, Look look) {
    switch (look) {
    case Look::Normal:
        FillVertical(p, r, Shade::Strip, Shade::Panel);
        break;
    case Look::Hover:
        FillVertical(p, r, Shade::Strip.lighter(140), Shade::Strip.lighter(112));
        p.fillRect(QRectF(r.left() + 1, r.bottom() - 2, r.width() - 2, 2),
                   Translucent(SkinColour::Signal, 110));
        break;
    case Look::Pressed:
        FillVertical(p, r, Shade::Well, Shade::Ground);
        p.fillRect(QRectF(r.left() + 1, r.bottom() - 3, r.width() - 2, 3), SkinColour::Signal);
        break;
    }
    // Separators between neighbouring tabs, and the dark line under the row.
    p.fillRect(QRectF(r.left(), r.top(), 1, r.height()), QColor(255, 255, 255, 18));
    p.fillRect(QRectF(r.right() - 1, r.top(), 1, r.height()), Shade::Void);
    if (look != Look::Pressed)
        p.fillRect(QRectF(r.left(), r.bottom() - 1, r.width(), 1), Shade::Void);
}

static void DrawSwitch(QPainter& p, const QRectF& r, Look look) {
    const QPointF centre = r.center();
    const qreal radius = std::min(r.width(), r.height()) / 2 - 1.5;
    const QColor ring = look == Look::Pressed ? SkinColour::Signal
                        : look == Look::Hover ? Shade::Bright
                                              : Shade::Muted;
    p.setPen(QPen(ring, 1.6));
    p.setBrush(Shade::Well);
    p.drawEllipse(centre, radius, radius);
    if (look == Look::Pressed) {
        QRadialGradient glow(centre, radius * 0.55);
        glow.setColorAt(0, SkinColour::Signal.lighter(125));
        glow.setColorAt(1, SkinColour::Signal);
        p.setPen(Qt::NoPen);
        p.setBrush(glow);
        p.drawEllipse(centre, radius * 0.5, radius * 0.5);
    }
}

void DrawButton(QPainter& p, const SkinRow& row, Look look) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(QPointF(0, 0), row.size);
    switch (row.face) {
    case Face::Flat:
    case Face::FlatAlert:
        DrawFlat(p, r, look, row.face == Face::FlatAlert);
        break;
    case Face::Raised:
        DrawRaised(p, r, look);
        break;
    case Face::Tab:
        DrawTab(p, r, look);
        break;
    case Face::Switch:
        DrawSwitch(p, r, look);
        break;
    }
    if (row.glyph) {
        // Small buttons give their glyph the whole height.
        const qreal shorter = std::min(r.width(), r.height());
        const qreal side = shorter < 14 ? shorter + 2 : shorter * GlyphShare(row.face);
        QRectF box(0, 0, side, side);
        box.moveCenter(r.center());
        if (look == Look::Pressed)
            box.translate(0, 1); // pressed in
        row.glyph(p, box, InkFor(row.face, look));
    }
    p.restore();
}
