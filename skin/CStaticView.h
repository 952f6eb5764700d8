#pragma once

#include <QWidget>

// The video surface: black, drawing nothing of its own; the playback engine paints the picture.
class CStaticView : public QWidget {
    Q_OBJECT
public:
    // The object name is the control ID in decimal, so that owners and tests find it by number.
    CStaticView(QWidget* parent, int controlId, const QRect& rect);

protected:
    void paintEvent(QPaintEvent* event) override;
};
