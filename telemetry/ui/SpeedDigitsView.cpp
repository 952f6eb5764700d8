#include "telemetry/ui/SpeedDigitsView.h"

#include "skin/BitmapIds.h"
#include "skin/SkinBitmaps.h"
#include "skin/SkinColours.h"
#include "telemetry/display/SpeedReadout.h"

#include <QBitmap>
#include <QPainter>

using namespace SpeedReadout;

SpeedDigitsView::SpeedDigitsView(QWidget* parent) : QWidget(parent) {
    resize(Digits * DigitWidth, DigitHeight);
}

void SpeedDigitsView::DrawSpeed(int n) {
    if (n < 0)
        return;
    const QString text = SpeedText(n);
    if (text == m_text)
        return;
    m_text = text;
    m_digits = QPixmap(width(), height());
    m_digits.fill(SkinColour::OverlayKey);
    QPainter painter(&m_digits);
    for (int i = 0; i < Digits; ++i) {
        const int digit = text[i].digitValue();
        painter.drawPixmap(
            i * DigitWidth, 0,
            SkinBitmapKeyed(BitmapId::FirstSpeedDigit + digit, SkinColour::OverlayKey));
    }
    painter.end();
    m_digits.setMask(m_digits.createMaskFromColor(SkinColour::OverlayKey, Qt::MaskInColor));
    update();
}

void SpeedDigitsView::Clear() {
    m_text.clear();
    m_digits = QPixmap();
    update();
}

void SpeedDigitsView::paintEvent(QPaintEvent*) {
    if (m_digits.isNull())
        return;
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_digits);
}
