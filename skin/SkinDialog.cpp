#include "skin/SkinDialog.h"

static constexpr int CornerSquare = 10;
static constexpr int CornerCircle = 20;

SkinDialog::SkinDialog(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint) {}

QRegion SkinDialog::RoundedShape(const QSize& size) {
    const int w = size.width();
    const int h = size.height();
    QRegion shape(0, 0, w, h);
    // Each corner: its square and the circle that touches the corner's two edges. The right and
    // bottom pieces reach one pixel past the window, as the left and top ones start at its edge.
    const QPoint corners[] = {{0, 0}, {w - 9, 0}, {0, h - 9}, {w - 9, h - 9}};
    const QPoint circles[] = {{0, 0}, {w - 19, 0}, {0, h - 19}, {w - 19, h - 19}};
    for (int i = 0; i < 4; ++i) {
        const QRegion square(QRect(corners[i], QSize(CornerSquare, CornerSquare)));
        const QRegion circle(QRect(circles[i], QSize(CornerCircle, CornerCircle)),
                             QRegion::Ellipse);
        shape -= square - circle;
    }
    return shape;
}

void SkinDialog::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    setMask(RoundedShape(size()));
}
