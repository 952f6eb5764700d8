#pragma once

#include <QImage>
#include <QPixmap>
#include <QWidget>

// What a widget shows, in one pixel format so that pictures compare pixel for pixel.
inline QImage Shown(QWidget& widget) {
    return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

inline QImage Flat(const QPixmap& pixmap) {
    return pixmap.toImage().convertToFormat(QImage::Format_RGB32);
}
