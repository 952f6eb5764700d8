#pragma once

#include "skin/BitmapIds.h"

#include <QPoint>
#include <QRectF>
#include <QSize>
#include <QString>
#include <vector>

class QPainter;
class QColor;

// How a button's face is drawn around its glyph.
enum class Face {
    Flat,      // glyph on the skin below; a soft plate under the pointer and when pressed
    FlatAlert, // as Flat, with the signal colour under the pointer (closing)
    Raised,    // a rounded plate of its own
    Tab,       // a tab of a row; pressed or checked shows the signal bar
    Switch,    // a round switch; pressed or checked shows the signal dot
};

// The three looks that the skin draws for every button.
enum class Look { Normal, Pressed, Hover };

// Draws a symbol into a box in the given colour.
using GlyphFn = void (*)(QPainter&, const QRectF& box, const QColor& ink);
// Draws a whole picture of the given size; id tells pictures of one kind apart (the digits).
using PictureFn = void (*)(QPainter&, const QSize& size, int id);

// Where a bitmap sits in the skin, so that it is drawn over the skin below it and blends in.
struct Backdrop {
    int bitmapId = 0; // 0: none
    QPoint at;
};

// One row: a picture, or the three looks of a button.
struct SkinRow {
    ButtonLooks looks; // a picture uses looks.normal only
    QSize size;
    const char* role;
    PictureFn picture = nullptr;
    GlyphFn glyph = nullptr;
    Face face = Face::Flat;
    Backdrop backdrop;
};

// One bitmap of the skin, as the build generates it and the program loads it.
struct SkinBitmapEntry {
    int id;
    QSize size;
    QString role;
    const SkinRow* row;
    Look look;
};

// The skin's rows, in the order they are drawn (a backdrop comes before what sits on it).
const std::vector<SkinRow>& SkinRows();
// Every bitmap of the skin, one entry per ID.
std::vector<SkinBitmapEntry> SkinBitmapEntries();
