#pragma once

#include <QColor>
#include <QImage>
#include <QPixmap>

// The skin bitmap of an ID as the build generated it; a null pixmap for an ID the skin lacks.
QPixmap SkinBitmap(int id);
// The same as an image, for drawing without a window system (karvenna-cli).
QImage SkinImage(int id);

// The bitmap with every pixel of the key colour made see-through.
QPixmap SkinBitmapKeyed(int id, const QColor& key);

// A look for a disabled control made from its normal look, for owners that name no own one.
QPixmap DisabledLook(const QPixmap& normal);
