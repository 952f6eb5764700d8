#include "app/fullscreen/FullScreenControlBar.h"

#include "app/ControlIds.h"
#include "app/fullscreen/FullScreenLayout.h"
#include "skin/SkinBitmaps.h"
#include "skin/SkinColours.h"
#include "skin/SkinLabel.h"
#include "skin/SkinSlider.h"

#include <QPainter>

FullScreenControlBar::FullScreenControlBar(QWidget* owner)
    : FullScreenPanel(owner, PanelId::ControlBar) {
    using namespace ControlBarId;
    for (auto [id, looks] :
         {std::pair{Position, SliderLook::Position}, {Volume, SliderLook::Volume}}) {
        auto* slider = new SkinSlider(this, id, QRect());
        slider->SetImages(looks);
        slider->wheelEnabled = false;
    }
    AddButton(Rewind, ButtonLook::Rewind, QStringLiteral("Rewind"));
    AddButton(Forward, ButtonLook::Forward, QStringLiteral("Forward"));
    AddButton(PlayPause, ButtonLook::Play, QStringLiteral("Play"));
    AddButton(Previous, ButtonLook::Previous, QStringLiteral("Prev"));
    AddButton(Next, ButtonLook::Next, QStringLiteral("Next"));
    AddButton(Mute, ButtonLook::BarVolume, QStringLiteral("Volume"), {}, SkinButton::CheckBox);
    AddButton(Settings, ButtonLook::BarSettings, QStringLiteral("Settings"));
    AddButton(FileListToggle, ButtonLook::BarFileList, QStringLiteral("File List"), {},
              SkinButton::CheckBox);
    // The times sit on the same read-out wells as in the window and read the same way.
    for (auto [id, well] : {std::pair{ElapsedTime, BitmapId::ElapsedTimeBack},
                            {TotalTime, BitmapId::TotalTimeBack}}) {
        auto* text = new SkinLabel(this, id, QRect(), QStringLiteral("00:00:00"));
        text->SetBackgroundImage(well);
        text->SetFontHeight(13);
        text->setAlignment(Qt::AlignCenter);
        text->textColour = SkinColour::Text;
    }
}

void FullScreenControlBar::LayOut() {
    for (const auto& placement : FullScreenLayout::ControlBarPlacements(size())) {
        QWidget* control =
            findChild<QWidget*>(QString::number(placement.controlId), Qt::FindDirectChildrenOnly);
        control->setGeometry(placement.rect);
    }
    Slider(ControlBarId::Position)->SetImages(SliderLook::BarPosition);
    Slider(ControlBarId::Volume)->SetImages(SliderLook::BarVolume);
    update();
}

void FullScreenControlBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QPixmap background = SkinBitmap(BitmapId::ControlBarBackground);
    painter.fillRect(rect(), Qt::black);
    painter.drawPixmap(QRect(0, height() - background.height(), width(), background.height()),
                       background);
}
