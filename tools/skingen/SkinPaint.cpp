#include "tools/skingen/SkinPaint.h"

#include <QLinearGradient>
#include <QPainterPath>

void FillVertical(QPainter& p, const QRectF& r, const QColor& top, const QColor& bottom) {
    QLinearGradient gradient(r.topLeft(), r.bottomLeft());
    gradient.setColorAt(0, top);
    gradient.setColorAt(1, bottom);
    p.fillRect(r, gradient);
}

void DrawPanel(QPainter& p, const QRectF& r, qreal radius) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient gradient(r.topLeft(), r.bottomLeft());
    gradient.setColorAt(0, Shade::Panel.lighter(112));
    gradient.setColorAt(1, Shade::Panel.darker(108));
    p.setPen(QPen(Shade::Void, 1));
    p.setBrush(gradient);
    p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
    p.setPen(QPen(QColor(255, 255, 255, 22), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(r.adjusted(1.5, 1.5, -1.5, -1.5), radius - 1, radius - 1);
    p.restore();
}

void DrawWell(QPainter& p, const QRectF& r, qreal radius, const QColor& fill) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    // The lit lower edge first, one pixel down, then the well over it.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 16));
    p.drawRoundedRect(r.translated(0, 1), radius, radius);
    p.setBrush(fill);
    p.setPen(QPen(Shade::Void, 1));
    p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
    QLinearGradient shadow(r.topLeft(), r.topLeft() + QPointF(0, 5));
    shadow.setColorAt(0, QColor(0, 0, 0, 90));
    shadow.setColorAt(1, QColor(0, 0, 0, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(shadow);
    p.drawRoundedRect(r.adjusted(1, 1, -1, -1), radius - 1, radius - 1);
    p.restore();
}

void DrawTitleStrip(QPainter& p, const QRectF& r) {
    FillVertical(p, r, Shade::Strip.lighter(108), Shade::Panel);
    p.fillRect(QRectF(r.left(), r.top(), r.width(), 1), QColor(255, 255, 255, 20));
    p.fillRect(QRectF(r.left(), r.bottom() - 1, r.width(), 1), Shade::Void);
}

QFont GeneratorFont(int pixelSize, int weight) {
    QFont font(QStringLiteral("Noto Sans CJK KR"));
    font.setPixelSize(pixelSize);
    font.setWeight(QFont::Weight(weight));
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

void DrawLabel(QPainter& p, const QPointF& baselineLeft, const QString& text, int pixelSize,
               const QColor& ink) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    QFont font = GeneratorFont(pixelSize, 700);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 1.0);
    p.setFont(font);
    p.setPen(ink);
    p.drawText(baselineLeft, text);
    p.restore();
}

void DrawLensMark(QPainter& p, const QPointF& centre, qreal radius) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(SkinColour::Text, radius * 0.22));
    p.setBrush(Shade::Void);
    p.drawEllipse(centre, radius * 0.85, radius * 0.85);
    QRadialGradient glow(centre, radius * 0.45);
    glow.setColorAt(0, SkinColour::Signal.lighter(130));
    glow.setColorAt(1, SkinColour::Signal.darker(130));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(centre, radius * 0.38, radius * 0.38);
    p.setBrush(QColor(255, 255, 255, 150));
    p.drawEllipse(centre + QPointF(-radius * 0.14, -radius * 0.14), radius * 0.1, radius * 0.1);
    p.restore();
}

void DrawKeyed(QPainter& target, const QRect& area, const QColor& matte, const QColor& key,
               const std::function<void(QPainter&)>& draw) {
    QImage layer(area.size(), QImage::Format_ARGB32);
    layer.fill(Qt::transparent);
    {
        QPainter painter(&layer);
        painter.setRenderHint(QPainter::Antialiasing);
        draw(painter);
    }
    QImage flat(area.size(), QImage::Format_RGB32);
    for (int y = 0; y < layer.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(layer.constScanLine(y));
        auto* out = reinterpret_cast<QRgb*>(flat.scanLine(y));
        for (int x = 0; x < layer.width(); ++x) {
            const int a = qAlpha(in[x]);
            if (a == 0) {
                out[x] = key.rgb();
                continue;
            }
            const auto blend = [a](int over, int under) {
                return (over * a + under * (255 - a)) / 255;
            };
            QRgb pixel = qRgb(blend(qRed(in[x]), matte.red()), blend(qGreen(in[x]), matte.green()),
                              blend(qBlue(in[x]), matte.blue()));
            // A drawn pixel must never read as the key.
            if (pixel == key.rgb())
                pixel = qRgb(qRed(pixel) ^ 1, qGreen(pixel) ^ 1, qBlue(pixel) ^ 1);
            out[x] = pixel;
        }
    }
    target.drawImage(area.topLeft(), flat);
}

void DrawLogo(QPainter& p, const QPointF& left) {
    DrawLensMark(p, left + QPointF(12, 0), 12);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    QFont brand = GeneratorFont(14, 800);
    brand.setLetterSpacing(QFont::AbsoluteSpacing, 2.2);
    p.setFont(brand);
    p.setPen(QColor(214, 214, 214));
    p.drawText(left + QPointF(31, -1), QStringLiteral("VESKA"));
    QFont name = GeneratorFont(11, 400);
    name.setLetterSpacing(QFont::AbsoluteSpacing, 1.0);
    p.setFont(name);
    p.setPen(SkinColour::Text);
    p.drawText(left + QPointF(31, 12), QStringLiteral("Karvenna"));
    p.restore();
}
