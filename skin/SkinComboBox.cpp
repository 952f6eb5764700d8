#include "skin/SkinComboBox.h"

#include "skin/SkinBitmaps.h"
#include "skin/SkinColours.h"
#include "skin/SkinFont.h"

#include <QAbstractItemView>
#include <QPainter>

// The text keeps clear of the arrow that the face image draws at the right.
static const QMargins FaceTextMargins{3, 1, 15, 2};

SkinComboBox::SkinComboBox(QWidget* parent, int controlId, const QRect& rect)
    : QComboBox(parent), faceTextColour(SkinColour::Text), listTextColour(SkinColour::Text),
      faceBackColour(SkinColour::Back), listBackColour(SkinColour::Back), m_controlId(controlId) {
    setObjectName(QString::number(controlId));
    setGeometry(rect);
    setFont(SkinFont(14, 400));
}

void SkinComboBox::SetFaceImage(int bitmapId) {
    faceImage = SkinBitmap(bitmapId);
    update();
}

void SkinComboBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (faceImage.isNull())
        painter.fillRect(rect(), faceBackColour);
    else
        painter.drawPixmap(0, 0, faceImage);
    if (currentIndex() < 0)
        return;
    painter.setPen(isEnabled() ? faceTextColour : SkinColour::DisabledText);
    painter.setFont(font());
    painter.drawText(rect().marginsRemoved(FaceTextMargins),
                     Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, currentText());
}

void SkinComboBox::showPopup() {
    QPalette colours = view()->palette();
    colours.setColor(QPalette::Base, listBackColour);
    colours.setColor(QPalette::Window, listBackColour);
    colours.setColor(QPalette::Text, listTextColour);
    colours.setColor(QPalette::Highlight, SkinColour::Signal);
    colours.setColor(QPalette::HighlightedText, SkinColour::Text.lighter(150));
    view()->setPalette(colours);
    view()->setFont(font());
    QComboBox::showPopup();
}
