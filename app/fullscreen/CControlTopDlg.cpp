#include "app/fullscreen/CControlTopDlg.h"

#include "app/ControlIds.h"
#include "app/fullscreen/FullScreenLayout.h"
#include "skin/CNblStaticTrans.h"
#include "skin/SkinBitmaps.h"

#include <QPainter>

CControlTopDlg::CControlTopDlg(QWidget* owner) : FullScreenPanel(owner, PanelId::TitleBar) {
    auto* fileName = new CNblStaticTrans(this, TitleBarId::FileName, QRect(28, 11, 300, 15));
    fileName->textColour = Qt::white;
    fileName->SetFontHeight(13);
    AddButton(TitleBarId::Leave, ButtonLook::MapReturn, QStringLiteral("Extend"));
}

void CControlTopDlg::PlaceButton() {
    Button(TitleBarId::Leave)->setGeometry(FullScreenLayout::TitleBarButtonRect(width()));
}

void CControlTopDlg::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QPixmap background = SkinBitmap(BitmapId::TitleBarBackground);
    painter.fillRect(rect(), Qt::black);
    painter.drawPixmap(QRect(0, 0, width(), background.height()), background);
}
