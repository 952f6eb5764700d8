#pragma once

#include <QImage>

struct AVFrame;

// Lays `overlay` (QImage::Format_ARGB32_Premultiplied) over the top left corner of a YUV 4:2:0
// picture of limited range (BT.601), as the encoder takes it: only the overlay's pixels are
// touched, so no full picture travels through RGB and back.
void BlendOverlay(AVFrame& picture, const QImage& overlay);
