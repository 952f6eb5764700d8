#include "tools/skingen/Glyphs.h"
#include "tools/skingen/Pictures.h"
#include "tools/skingen/SkinPaint.h"

// The scroll bar's own ground, under its arrows and track.
static constexpr QColor ScrollGround{13, 14, 15};

static void ScrollArrow(QPainter& p, const QSize& size, bool up) {
    p.fillRect(QRect(QPoint(0, 0), size), ScrollGround);
    const QRectF plate(0, 0, size.width(), size.height());
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient gradient(plate.topLeft(), plate.bottomLeft());
    gradient.setColorAt(0, Shade::Panel.lighter(118));
    gradient.setColorAt(1, Shade::Panel);
    p.setPen(QPen(Shade::Void, 1));
    p.setBrush(gradient);
    p.drawRoundedRect(plate.adjusted(0.5, 0.5, -0.5, -0.5), 2, 2);
    p.restore();
    const QRectF box(plate.center().x() - 6, plate.center().y() - 6, 12, 12);
    (up ? GlyphChevronUp : GlyphChevronDown)(p, box, SkinColour::Text);
}

void PaintScrollUp(QPainter& p, const QSize& size, int) {
    ScrollArrow(p, size, true);
}

void PaintScrollDown(QPainter& p, const QSize& size, int) {
    ScrollArrow(p, size, false);
}

void PaintScrollTrack(QPainter& p, const QSize& size, int) {
    p.fillRect(QRect(QPoint(0, 0), size), ScrollGround);
    p.fillRect(QRect(1, 0, size.width() - 2, size.height()), Shade::Well);
}

void PaintScrollThumb(QPainter& p, const QSize& size, int) {
    // Shaded across only, so that stretching it to any height keeps its look.
    const QRect r(QPoint(0, 0), size);
    QLinearGradient across(r.topLeft(), r.topRight());
    across.setColorAt(0, Shade::Edge.lighter(115));
    across.setColorAt(0.5, Shade::Edge);
    across.setColorAt(1, Shade::Strip);
    p.fillRect(r, across);
    p.fillRect(QRect(0, 0, 1, r.height()), Shade::Void);
    p.fillRect(QRect(r.width() - 1, 0, 1, r.height()), Shade::Void);
    p.fillRect(QRect(0, 0, r.width(), 1), Shade::Void);
    p.fillRect(QRect(0, r.height() - 1, r.width(), 1), Shade::Void);
}

void PaintCheckBoxStrip(QPainter& p, const QSize& size, int) {
    // Four 18 x 16 images: unchecked, checked, and both again disabled; magenta around the box.
    const int cell = size.width() / 4;
    p.fillRect(QRect(QPoint(0, 0), size), SkinColour::CheckBoxKey);
    for (int index = 0; index < 4; ++index) {
        const bool checked = index % 2 == 1;
        const bool disabled = index >= 2;
        const QRect box(index * cell + 2, 1, 14, 14);
        const QColor fill = checked
                                ? (disabled ? SkinColour::Signal.darker(220) : SkinColour::Signal)
                                : (disabled ? Shade::Ground : Shade::Well);
        // The outer edge stays crisp: a blended edge would fringe against the key colour.
        p.fillRect(box, disabled ? Shade::Strip : Shade::Edge.lighter(130));
        p.fillRect(box.adjusted(1, 1, -1, -1), fill);
        if (checked) {
            const QColor ink = disabled ? Shade::Muted : Shade::Bright;
            GlyphCanvas canvas(p, QRectF(box).adjusted(1, 1, -1, -1), ink, 3.2);
            canvas.Polyline({{5, 12.5}, {10, 17.5}, {19, 7}});
        }
    }
}

void PaintComboFace(QPainter& p, const QSize& size, int) {
    const QRectF r(QPointF(0, 0), size);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Shade::Edge, 1));
    p.setBrush(Shade::Well);
    p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
    p.restore();
    // The arrow lives in the 15 pixels at the right that the text keeps clear of.
    const qreal arrowLeft = r.width() - 16;
    p.fillRect(QRectF(arrowLeft, 3, 1, r.height() - 6), Shade::Void);
    p.fillRect(QRectF(arrowLeft + 1, 3, 1, r.height() - 6), QColor(255, 255, 255, 16));
    const QRectF box(arrowLeft + 2.5, r.center().y() - 5.5, 11, 11);
    GlyphChevronDown(p, box, SkinColour::Text);
}

void PaintEditPattern(QPainter& p, const QSize& size, int) {
    const QRectF r(QPointF(0, 0), size);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Shade::Edge, 1));
    p.setBrush(Shade::Well);
    p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), 2.5, 2.5);
    p.restore();
}

void PaintTimeBack(QPainter& p, const QSize& size, int) {
    // A dark read-out, for the light time text: light on dark as the rest of the skin.
    const QRectF r(QPointF(0, 0), size);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient gradient(r.topLeft(), r.bottomLeft());
    gradient.setColorAt(0, QColor(30, 31, 33));
    gradient.setColorAt(1, QColor(18, 19, 20));
    p.setPen(QPen(Shade::Void, 1));
    p.setBrush(gradient);
    p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
    p.restore();
}

void PaintFileNameBack(QPainter& p, const QSize& size, int) {
    DrawWell(p, QRectF(QPointF(0, 0), size).adjusted(0, 0, 0, -1), 3, Shade::Void);
}

// The groove of a slider: thicker on the tall position sliders.
static QRectF Groove(const QSize& size) {
    const qreal thickness = size.height() >= 20 ? 6 : 4;
    return QRectF(1, (size.height() - thickness) / 2, size.width() - 2, thickness);
}

void PaintSliderChannel(QPainter& p, const QSize& size, int) {
    const QRectF groove = Groove(size);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 18));
    p.drawRoundedRect(groove.translated(0, 1), groove.height() / 2, groove.height() / 2);
    p.setBrush(Shade::Void);
    p.drawRoundedRect(groove, groove.height() / 2, groove.height() / 2);
    p.restore();
}

void PaintSliderFill(QPainter& p, const QSize& size, int id) {
    PaintSliderChannel(p, size, id);
    const QRectF groove = Groove(size);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient gradient(groove.topLeft(), groove.bottomLeft());
    gradient.setColorAt(0, SkinColour::Signal.lighter(125));
    gradient.setColorAt(1, SkinColour::Signal.darker(115));
    p.setPen(Qt::NoPen);
    p.setBrush(gradient);
    p.drawRoundedRect(groove, groove.height() / 2, groove.height() / 2);
    p.restore();
}

void PaintSliderThumb(QPainter& p, const QSize& size, int) {
    // White around the knob is see-through; the knob's rim is blended against the panels.
    DrawKeyed(p, QRect(QPoint(0, 0), size), Shade::Panel, SkinColour::ThumbKey,
              [size](QPainter& layer) {
                  const qreal diameter = std::min(size.width(), size.height()) - 1;
                  const QPointF centre(size.width() / 2.0, size.height() / 2.0);
                  QRadialGradient knob(centre - QPointF(diameter * 0.2, diameter * 0.25),
                                       diameter * 0.75);
                  knob.setColorAt(0, QColor(244, 244, 244));
                  knob.setColorAt(1, QColor(150, 151, 154));
                  layer.setPen(QPen(Shade::Void, 1));
                  layer.setBrush(knob);
                  layer.drawEllipse(centre, diameter / 2 - 0.5, diameter / 2 - 0.5);
                  layer.setPen(Qt::NoPen);
                  layer.setBrush(SkinColour::Signal);
                  layer.drawEllipse(centre, diameter * 0.14, diameter * 0.14);
              });
}
