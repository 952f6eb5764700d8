#include "skin/CNblImageEdit.h"

#include "skin/BitmapIds.h"
#include "skin/SkinBitmaps.h"
#include "skin/SkinColours.h"

CNblImageEdit::CNblImageEdit(QWidget* parent, int controlId, const QRect& rect)
    : QLineEdit(parent), textColour(SkinColour::Text), backColour(SkinColour::Back),
      m_controlId(controlId) {
    setObjectName(QString::number(controlId));
    setGeometry(rect);
    setFrame(false);
    ApplyColours();
}

void CNblImageEdit::SetPatternImage() {
    m_pattern = SkinBitmap(BitmapId::EditPattern);
    ApplyColours();
}

void CNblImageEdit::ApplyColours() {
    QPalette colours = palette();
    // A missing pattern keeps the plain colour.
    const QBrush back = m_pattern.isNull() ? QBrush(backColour) : QBrush(m_pattern);
    colours.setBrush(QPalette::Base, back);
    colours.setColor(QPalette::Text, textColour);
    colours.setColor(QPalette::Highlight, SkinColour::Signal);
    if (colours != palette())
        setPalette(colours);
}

void CNblImageEdit::paintEvent(QPaintEvent* event) {
    ApplyColours();
    QLineEdit::paintEvent(event);
}
