#pragma once

#include <QWidget>

// The video surface: black, drawing nothing of its own; the playback engine paints the picture.
class VideoSurface : public QWidget {
    Q_OBJECT
public:
    // The object name is the control ID in decimal, so that owners and tests find it by number.
    VideoSurface(QWidget* parent, int controlId, const QRect& rect);

protected:
    void paintEvent(QPaintEvent* event) override;
};
