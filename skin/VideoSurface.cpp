#include "skin/VideoSurface.h"

VideoSurface::VideoSurface(QWidget* parent, int controlId, const QRect& rect) : QWidget(parent) {
    setObjectName(QString::number(controlId));
    setGeometry(rect);
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
    setAutoFillBackground(true);
}

void VideoSurface::paintEvent(QPaintEvent*) {
    // Black comes from the background fill; the picture is the engine's.
}
