#pragma once

#include "skin/CStaticView.h"

class CDShowPlayer;

// The video window: a black surface that shows the player's picture, fitted to its size.
class VideoWindow : public CStaticView {
    Q_OBJECT
public:
    // Attaches `player` to the new window; the player must outlive the window's paints.
    VideoWindow(QWidget* parent, int controlId, const QRect& rect, CDShowPlayer& player);

    // Fits the picture to the window's current size and paints it again.
    void Repaint();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QSize ClientSize() const;

    CDShowPlayer& m_player;
};
