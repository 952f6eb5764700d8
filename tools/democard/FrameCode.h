#pragma once

#include <QImage>
#include <QRect>

// Every demo frame carries its frame number as a strip of black and white cells along its bottom
// edge, large enough to survive compression, so that a test can tell which frame it was shown.
namespace FrameCode {

constexpr int Bits = 12;

QRect CellRect(QSize frame, int bit);
void Draw(QImage& frame, int number);
// -1 when the picture carries no readable code.
int Read(const QImage& frame);

} // namespace FrameCode
