#include "tools/democard/FrameCode.h"

#include <QPainter>

namespace FrameCode {

QRect CellRect(QSize frame, int bit) {
    const int cellWidth = frame.width() / Bits;
    const int cellHeight = std::max(4, frame.height() / 8);
    return {bit * cellWidth, frame.height() - cellHeight, cellWidth, cellHeight};
}

void Draw(QImage& frame, int number) {
    QPainter painter(&frame);
    for (int bit = 0; bit < Bits; ++bit)
        painter.fillRect(CellRect(frame.size(), bit), (number >> bit) & 1 ? Qt::white : Qt::black);
}

int Read(const QImage& frame) {
    if (frame.width() < Bits || frame.height() < 8)
        return -1;
    int number = 0;
    for (int bit = 0; bit < Bits; ++bit) {
        const QRect cell = CellRect(frame.size(), bit);
        const int gray = qGray(frame.pixel(cell.center()));
        if (gray > 80 && gray < 175)
            return -1;
        if (gray >= 175)
            number |= 1 << bit;
    }
    return number;
}

} // namespace FrameCode
