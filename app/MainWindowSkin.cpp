#include "app/MainWindowSkin.h"

#include "app/ControlIds.h"
#include "skin/BitmapIds.h"
#include "skin/SkinButton.h"
#include "skin/SkinColours.h"
#include "skin/SkinLabel.h"
#include "skin/SkinSlider.h"

namespace {

struct ButtonEntry {
    int id;
    ButtonLooks looks;
    const char* tooltip;
    SkinButton::Mode mode = SkinButton::PushButton;
};

// In the order the skin gives them their looks.
const ButtonEntry Buttons[] = {
    {ControlId::Settings, ButtonLook::Settings, "Settings"},
    {ControlId::Minimize, ButtonLook::Minimize, "Minimize"},
    {ControlId::Close, ButtonLook::Close, "Close"},
    {ControlId::Rotate, ButtonLook::Rotate, "Rotate"},
    {ControlId::Capture, ButtonLook::Capture, "Capture"},
    {ControlId::Extend, ButtonLook::Extend, "Extend"},
    {ControlId::FolderToggle, ButtonLook::Folder, "Folder", SkinButton::CheckBox},
    {ControlId::Calendar, ButtonLook::Calendar, "Calendar", SkinButton::CheckBox},
    {ControlId::Save, ButtonLook::Save, "Save"},
    {ControlId::Delete, ButtonLook::Delete, "Delete"},
    {ControlId::CheckAll, ButtonLook::CheckAll, "Delete", SkinButton::CheckBox},
    {ControlId::KindAll, ButtonLook::KindAll, "A", SkinButton::CheckBox},
    {ControlId::KindNormal, ButtonLook::KindNormal, "N", SkinButton::CheckBox},
    {ControlId::KindEvent, ButtonLook::KindEvent, "E", SkinButton::CheckBox},
    {ControlId::KindMotion, ButtonLook::KindMotion, "M", SkinButton::CheckBox},
    {ControlId::MapEnlarge, ButtonLook::MapEnlarge, ""},
    {ControlId::MapClose, ButtonLook::MapPaneOpen, "Map Close"},
    {ControlId::Rewind, ButtonLook::Rewind, "Rewind"},
    {ControlId::Forward, ButtonLook::Forward, "Forward"},
    {ControlId::PlayPause, ButtonLook::Play, "Play"},
    {ControlId::Previous, ButtonLook::Previous, "Prev"},
    {ControlId::Next, ButtonLook::Next, "Next"},
    {ControlId::Mute, ButtonLook::Volume, "Volume", SkinButton::CheckBox},
    // The incident span and its pack.
    {ControlId::SpanStart, ButtonLook::SpanStart, ""},
    {ControlId::SpanEnd, ButtonLook::SpanEnd, ""},
    {ControlId::IncidentPack, ButtonLook::IncidentPack, ""},
};

struct SliderEntry {
    int id;
    SliderLooks looks;
};

const SliderEntry Sliders[] = {
    {ControlId::PositionSlider, SliderLook::Position},
    {ControlId::SpeedSlider, SliderLook::Speed},
    {ControlId::VolumeSlider, SliderLook::Volume},
    {ControlId::BrightnessSlider, SliderLook::Brightness},
};

struct TextEntry {
    int id;
    int background;
    QColor colour;
    int fontHeight;
};

// The texts sit centred in 13-pixel strips; the times fill theirs, to be read at a glance.
const TextEntry Texts[] = {
    {ControlId::ElapsedTime, BitmapId::ElapsedTimeBack, SkinColour::Text, 13},
    {ControlId::TotalTime, BitmapId::TotalTimeBack, SkinColour::Text, 13},
    {ControlId::FileName, BitmapId::FileNameBack, QColor(146, 146, 146), 12},
};

} // namespace

QWidget* MainWindowControls::Control(int id) const {
    if (QWidget* button = Button(id))
        return button;
    if (QWidget* slider = Slider(id))
        return slider;
    return Text(id);
}

MainWindowControls CreateSkinnedControls(QWidget* window) {
    MainWindowControls controls;
    for (const ButtonEntry& entry : Buttons) {
        auto* button = new SkinButton(window, entry.id, QRect(), entry.mode);
        button->SetImages(entry.looks);
        button->SetTip(QString::fromUtf8(entry.tooltip));
        controls.buttons.insert(entry.id, button);
    }
    for (const SliderEntry& entry : Sliders) {
        auto* slider = new SkinSlider(window, entry.id, QRect());
        slider->SetImages(entry.looks);
        // Scrolling the mouse wheel over the window must not seek or change the volume.
        slider->wheelEnabled = false;
        controls.sliders.insert(entry.id, slider);
    }
    for (const TextEntry& entry : Texts) {
        auto* text = new SkinLabel(window, entry.id, QRect());
        text->SetBackgroundImage(entry.background);
        text->SetFontHeight(entry.fontHeight);
        text->setAlignment(Qt::AlignCenter);
        text->textColour = entry.colour;
        controls.texts.insert(entry.id, text);
    }
    return controls;
}

void RestoreWindowedLooks(const MainWindowControls& controls) {
    controls.Button(ControlId::MapEnlarge)->SetImages(ButtonLook::MapEnlarge);
    for (const SliderEntry& entry : Sliders)
        controls.Slider(entry.id)->SetImages(entry.looks);
}
