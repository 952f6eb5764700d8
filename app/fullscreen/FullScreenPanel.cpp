#include "app/fullscreen/FullScreenPanel.h"

#include "skin/SkinLabel.h"
#include "skin/SkinSlider.h"

FullScreenPanel::FullScreenPanel(QWidget* owner, int panelId)
    : QWidget(owner, Qt::Tool | Qt::FramelessWindowHint) {
    setObjectName(QString::number(panelId));
    // A bar that appears under the pointer must not take the keys from the video.
    setAttribute(Qt::WA_ShowWithoutActivating);
}

SkinButton* FullScreenPanel::Button(int id) const {
    return findChild<SkinButton*>(QString::number(id), Qt::FindDirectChildrenOnly);
}

SkinSlider* FullScreenPanel::Slider(int id) const {
    return findChild<SkinSlider*>(QString::number(id), Qt::FindDirectChildrenOnly);
}

SkinLabel* FullScreenPanel::Text(int id) const {
    return findChild<SkinLabel*>(QString::number(id), Qt::FindDirectChildrenOnly);
}

SkinButton* FullScreenPanel::AddButton(int id, const ButtonLooks& looks, const QString& tip,
                                       const QRect& rect, SkinButton::Mode mode) {
    auto* button = new SkinButton(this, id, rect, mode);
    button->SetImages(looks);
    button->SetTip(tip);
    return button;
}
