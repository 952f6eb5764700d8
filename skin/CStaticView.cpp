#include "skin/CStaticView.h"

CStaticView::CStaticView(QWidget* parent, int controlId, const QRect& rect) : QWidget(parent) {
    setObjectName(QString::number(controlId));
    setGeometry(rect);
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
    setAutoFillBackground(true);
}

void CStaticView::paintEvent(QPaintEvent*) {
    // Black comes from the background fill; the picture is the engine's.
}
