#pragma once

#include <QHash>

class SkinSlider;
class SkinButton;
class SkinLabel;
class QWidget;

// The skinned controls of the main window, made once with their looks and tooltips and then
// found by control ID.
struct MainWindowControls {
    QHash<int, SkinButton*> buttons;
    QHash<int, SkinSlider*> sliders;
    QHash<int, SkinLabel*> texts;

    SkinButton* Button(int id) const { return buttons.value(id); }
    SkinSlider* Slider(int id) const { return sliders.value(id); }
    SkinLabel* Text(int id) const { return texts.value(id); }
    // Every control above, for showing and placing them by ID.
    QWidget* Control(int id) const;
};

MainWindowControls CreateSkinnedControls(QWidget* window);
// Gives the sliders and the map button their windowed looks again.
void RestoreWindowedLooks(const MainWindowControls& controls);
