#include "skin/SkinLineEdit.h"

#include "skin/BitmapIds.h"
#include "skin/SkinBitmaps.h"
#include "skin/SkinColours.h"

SkinLineEdit::SkinLineEdit(QWidget* parent, int controlId, const QRect& rect)
    : QLineEdit(parent), textColour(SkinColour::Text), backColour(SkinColour::Back),
      m_controlId(controlId) {
    setObjectName(QString::number(controlId));
    setGeometry(rect);
    setFrame(false);
    ApplyColours();
}

void SkinLineEdit::SetPatternImage() {
    m_pattern = SkinBitmap(BitmapId::EditPattern);
    ApplyColours();
}

void SkinLineEdit::ApplyColours() {
    QPalette colours = palette();
    // A missing pattern keeps the plain colour.
    const QBrush back = m_pattern.isNull() ? QBrush(backColour) : QBrush(m_pattern);
    colours.setBrush(QPalette::Base, back);
    colours.setColor(QPalette::Text, textColour);
    colours.setColor(QPalette::Highlight, SkinColour::Signal);
    if (colours != palette())
        setPalette(colours);
}

void SkinLineEdit::paintEvent(QPaintEvent* event) {
    ApplyColours();
    QLineEdit::paintEvent(event);
}
