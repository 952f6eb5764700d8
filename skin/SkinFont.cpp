#include "skin/SkinFont.h"

#include <QFontMetricsF>
#include <cmath>

// A Korean-capable face that also covers Latin, Cyrillic and Japanese.
static const char* const SkinFace = "Noto Sans CJK KR";

QFont SkinFont(int cellHeight, int weight, bool underline) {
    QFont font(QString::fromLatin1(SkinFace));
    font.setWeight(QFont::Weight(weight));
    font.setUnderline(underline);
    font.setPixelSize(cellHeight);
    // Shrink the em so that the whole cell, not the em, has the asked height.
    const qreal cell = QFontMetricsF(font).height();
    if (cell > 0)
        font.setPixelSize(std::max(1, int(std::lround(cellHeight * cellHeight / cell))));
    return font;
}
