#pragma once

#include "skin/SkinColours.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QRectF>
#include <functional>

// The generator's shades around the skin's own colours, darkest first.
namespace Shade {
constexpr QColor Void{12, 12, 13};      // outlines, the deepest wells
constexpr QColor Well{20, 21, 23};      // sunken areas: video frame, list, graph, fields
constexpr QColor Ground{30, 31, 33};    // the window's ground
constexpr QColor Panel{40, 41, 44};     // raised panels
constexpr QColor Strip{56, 57, 61};     // title strips, tabs
constexpr QColor Edge{78, 79, 83};      // light edges of fields and plates
constexpr QColor Muted{118, 119, 122};  // secondary marks and labels
constexpr QColor Bright{236, 236, 236}; // glyphs under the pointer
} // namespace Shade

// The colour with the given opacity.
inline QColor Translucent(QColor colour, int alpha) {
    colour.setAlpha(alpha);
    return colour;
}

// Fills a rectangle with a top-to-bottom gradient.
void FillVertical(QPainter& p, const QRectF& r, const QColor& top, const QColor& bottom);
// A raised, rounded panel with a lit top edge.
void DrawPanel(QPainter& p, const QRectF& r, qreal radius);
// A sunken, rounded well with a shadowed top and a lit bottom edge.
void DrawWell(QPainter& p, const QRectF& r, qreal radius, const QColor& fill = Shade::Well);
// A title strip: the gradient of the window's title, with its dark bottom line.
void DrawTitleStrip(QPainter& p, const QRectF& r);
// Small capitals, as the skin labels its areas.
void DrawLabel(QPainter& p, const QPointF& baselineLeft, const QString& text, int pixelSize,
               const QColor& ink = Shade::Muted);
// The program's mark: a lens ring around a signal dot.
void DrawLensMark(QPainter& p, const QPointF& centre, qreal radius);
// The skin's face at a pixel size.
QFont GeneratorFont(int pixelSize, int weight = 400);

// Draws on a transparent layer, then lays it over the matte colour; pixels the drawing left
// untouched become the key colour, so that the program can make them see-through.
void DrawKeyed(QPainter& target, const QRect& area, const QColor& matte, const QColor& key,
               const std::function<void(QPainter&)>& draw);
// The program's name beside its mark, as the title strips show it; left is the mark's left edge.
void DrawLogo(QPainter& p, const QPointF& left);
