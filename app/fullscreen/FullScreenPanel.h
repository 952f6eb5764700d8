#pragma once

#include "skin/CNblSkinButton.h"

#include <QWidget>

class CNblImageSlider;
class CNblStaticTrans;

// What the three floating panels of full-screen mode share: a frameless tool window owned by
// the main window, hidden until full-screen mode shows it, whose skinned controls are found by
// control ID.
class FullScreenPanel : public QWidget {
    Q_OBJECT
public:
    CNblSkinButton* Button(int id) const;
    CNblImageSlider* Slider(int id) const;
    CNblStaticTrans* Text(int id) const;

protected:
    // The object name is the panel's dialog number, so that tests find each panel by number.
    FullScreenPanel(QWidget* owner, int panelId);

    CNblSkinButton* AddButton(int id, const ButtonLooks& looks, const QString& tip,
                              const QRect& rect = {},
                              CNblSkinButton::Mode mode = CNblSkinButton::PushButton);
};
