#include "app/fullscreen/FullScreenTitleBar.h"

#include "app/ControlIds.h"
#include "app/fullscreen/FullScreenLayout.h"
#include "resources/LocalizedStrings.h"
#include "resources/StringIds.h"
#include "skin/SkinBitmaps.h"
#include "skin/SkinLabel.h"

#include <QPainter>

FullScreenTitleBar::FullScreenTitleBar(QWidget* owner) : FullScreenPanel(owner, PanelId::TitleBar) {
    auto* fileName = new SkinLabel(this, TitleBarId::FileName, QRect(28, 11, 300, 15));
    fileName->textColour = Qt::white;
    fileName->SetFontHeight(13);
    AddButton(TitleBarId::Leave, ButtonLook::MapReturn, QStringLiteral("Extend"));
    AddButton(TitleBarId::TelemetryOverlay, ButtonLook::BarTelemetry,
              LoadLangString(StringId::TelemetryOverlayTip), {}, SkinButton::CheckBox);
}

void FullScreenTitleBar::PlaceButton() {
    const QRect leave = FullScreenLayout::TitleBarButtonRect(width());
    Button(TitleBarId::Leave)->setGeometry(leave);
    Button(TitleBarId::TelemetryOverlay)->setGeometry(leave.translated(-leave.width() - 4, 0));
}

void FullScreenTitleBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QPixmap background = SkinBitmap(BitmapId::TitleBarBackground);
    painter.fillRect(rect(), Qt::black);
    painter.drawPixmap(QRect(0, 0, width(), background.height()), background);
}
