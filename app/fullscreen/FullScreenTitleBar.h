#pragma once

#include "app/fullscreen/FullScreenPanel.h"

// The title bar along the top edge in full-screen mode: the open recording's name, the telemetry
// overlay's switch and the way back to the window.
class FullScreenTitleBar : public FullScreenPanel {
    Q_OBJECT
public:
    explicit FullScreenTitleBar(QWidget* owner);

    // Keeps the buttons at the bar's right end.
    void PlaceButton();

protected:
    void paintEvent(QPaintEvent* event) override;
};
