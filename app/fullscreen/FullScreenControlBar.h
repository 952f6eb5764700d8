#pragma once

#include "app/fullscreen/FullScreenPanel.h"

// The control bar along the bottom edge in full-screen mode: position, playback buttons, mute,
// volume, settings, the two times and the file-list panel's toggle.
class FullScreenControlBar : public FullScreenPanel {
    Q_OBJECT
public:
    explicit FullScreenControlBar(QWidget* owner);

    // Places the controls for the bar's present width, with their full-screen looks.
    void LayOut();

protected:
    void paintEvent(QPaintEvent* event) override;
};
