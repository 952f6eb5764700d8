#include "skin/SkinLabel.h"

#include "skin/SkinBitmaps.h"
#include "skin/SkinColours.h"
#include "skin/SkinFont.h"

#include <QPainter>

// The refreshed area stays this far inside the text's edges.
static constexpr int RefreshInset = 2;

SkinLabel::SkinLabel(QWidget* parent, int controlId, const QRect& rect, const QString& text)
    : QLabel(text, parent), textColour(SkinColour::Text), m_controlId(controlId) {
    setObjectName(QString::number(controlId));
    setGeometry(rect);
    setTextFormat(Qt::PlainText);
    setWordWrap(true);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    ApplyFont();
}

void SkinLabel::SetFontHeight(int height) {
    m_fontHeight = height;
    ApplyFont();
}

void SkinLabel::SetFontWeight(int weight) {
    m_fontWeight = weight;
    ApplyFont();
}

void SkinLabel::SetUnderline() {
    m_underline = true;
    ApplyFont();
}

void SkinLabel::ApplyFont() {
    setFont(SkinFont(m_fontHeight, m_fontWeight, m_underline));
}

void SkinLabel::SetBackgroundImage(int bitmapId) {
    m_backImage = bitmapId != 0 ? SkinBitmap(bitmapId) : QPixmap();
    update();
}

void SkinLabel::RefreshBackground() {
    if (QWidget* owner = parentWidget()) {
        const QRect inside =
            geometry().adjusted(RefreshInset, RefreshInset, -RefreshInset, -RefreshInset);
        owner->update(inside);
    }
}

void SkinLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (backColour.isValid())
        painter.fillRect(rect(), backColour);
    if (!m_backImage.isNull())
        painter.drawPixmap(0, 0, m_backImage);
    painter.setPen(textColour);
    painter.setFont(font());
    const int wrap = wordWrap() ? Qt::TextWordWrap : 0;
    painter.drawText(contentsRect(), int(alignment()) | wrap, text());
}
