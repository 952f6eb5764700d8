#pragma once

#include "skin/SkinButton.h"

#include <QWidget>

class SkinSlider;
class SkinLabel;

// What the three floating panels of full-screen mode share: a frameless tool window owned by
// the main window, hidden until full-screen mode shows it, whose skinned controls are found by
// control ID.
class FullScreenPanel : public QWidget {
    Q_OBJECT
public:
    SkinButton* Button(int id) const;
    SkinSlider* Slider(int id) const;
    SkinLabel* Text(int id) const;

protected:
    // The object name is the panel's dialog number, so that tests find each panel by number.
    FullScreenPanel(QWidget* owner, int panelId);

    SkinButton* AddButton(int id, const ButtonLooks& looks, const QString& tip,
                          const QRect& rect = {}, SkinButton::Mode mode = SkinButton::PushButton);
};
