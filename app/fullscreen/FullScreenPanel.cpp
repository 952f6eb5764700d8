#include "app/fullscreen/FullScreenPanel.h"

#include "skin/CNblImageSlider.h"
#include "skin/CNblStaticTrans.h"

FullScreenPanel::FullScreenPanel(QWidget* owner, int panelId)
    : QWidget(owner, Qt::Tool | Qt::FramelessWindowHint) {
    setObjectName(QString::number(panelId));
    // A bar that appears under the pointer must not take the keys from the video.
    setAttribute(Qt::WA_ShowWithoutActivating);
}

CNblSkinButton* FullScreenPanel::Button(int id) const {
    return findChild<CNblSkinButton*>(QString::number(id), Qt::FindDirectChildrenOnly);
}

CNblImageSlider* FullScreenPanel::Slider(int id) const {
    return findChild<CNblImageSlider*>(QString::number(id), Qt::FindDirectChildrenOnly);
}

CNblStaticTrans* FullScreenPanel::Text(int id) const {
    return findChild<CNblStaticTrans*>(QString::number(id), Qt::FindDirectChildrenOnly);
}

CNblSkinButton* FullScreenPanel::AddButton(int id, const ButtonLooks& looks, const QString& tip,
                                           const QRect& rect, CNblSkinButton::Mode mode) {
    auto* button = new CNblSkinButton(this, id, rect, mode);
    button->SetImages(looks);
    button->SetTip(tip);
    return button;
}
