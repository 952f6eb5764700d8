#include "skin/SkinBitmaps.h"

#include <QBitmap>
#include <QImage>

static void LoadSkinResources() {
    // The generated resources live in a static library: make sure the linker keeps them.
    static const bool loaded = [] {
        Q_INIT_RESOURCE(karvenna_skin);
        return true;
    }();
    Q_UNUSED(loaded);
}

QPixmap SkinBitmap(int id) {
    LoadSkinResources();
    return QPixmap(QStringLiteral(":/skin/%1.png").arg(id));
}

QImage SkinImage(int id) {
    LoadSkinResources();
    return QImage(QStringLiteral(":/skin/%1.png").arg(id));
}

QPixmap SkinBitmapKeyed(int id, const QColor& key) {
    QPixmap pixmap = SkinBitmap(id);
    if (!pixmap.isNull())
        pixmap.setMask(pixmap.createMaskFromColor(key, Qt::MaskInColor));
    return pixmap;
}

QPixmap DisabledLook(const QPixmap& normal) {
    if (normal.isNull())
        return normal;
    QImage image = normal.toImage().convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            // Grey, flattened towards the skin's dark grey: readable, plainly out of use.
            const int grey = qGray(line[x]);
            const int faded = 40 + grey * 45 / 100;
            line[x] = qRgb(faded, faded, faded);
        }
    }
    return QPixmap::fromImage(image);
}
