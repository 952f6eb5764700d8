#pragma once

#include "skin/VideoSurface.h"

class PlaybackEngine;

// The video window: a black surface that shows the player's picture, fitted to its size.
class VideoWindow : public VideoSurface {
    Q_OBJECT
public:
    // Attaches `player` to the new window; the player must outlive the window's paints.
    VideoWindow(QWidget* parent, int controlId, const QRect& rect, PlaybackEngine& player);

    // Fits the picture to the window's current size and paints it again.
    void Repaint();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QSize ClientSize() const;

    PlaybackEngine& m_player;
};
