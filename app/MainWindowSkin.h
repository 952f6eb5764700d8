#pragma once

#include <QHash>

class CNblImageSlider;
class CNblSkinButton;
class CNblStaticTrans;
class QWidget;

// The skinned controls of the main window, made once with their looks and tooltips and then
// found by control ID.
struct MainWindowControls {
    QHash<int, CNblSkinButton*> buttons;
    QHash<int, CNblImageSlider*> sliders;
    QHash<int, CNblStaticTrans*> texts;

    CNblSkinButton* Button(int id) const { return buttons.value(id); }
    CNblImageSlider* Slider(int id) const { return sliders.value(id); }
    CNblStaticTrans* Text(int id) const { return texts.value(id); }
    // Every control above, for showing and placing them by ID.
    QWidget* Control(int id) const;
};

MainWindowControls CreateSkinnedControls(QWidget* window);
// Gives the sliders and the map button their windowed looks again.
void RestoreWindowedLooks(const MainWindowControls& controls);
