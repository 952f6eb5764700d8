// karvenna-icongen FOLDER ICON: draws the application icon into FOLDER as the desktop's icon theme
// wants it: hicolor/<n>x<n>/apps/ICON.png at the usual sizes and hicolor/scalable/apps/ICON.svg,
// from the same painting as the skin's own icon.

#include "tools/skingen/Pictures.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>
#include <cstdio>

namespace {

constexpr int PixelSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};
constexpr int ScalableSize = 64;

bool DrawPng(const QDir& theme, const QString& icon, int size) {
    const QString folder = QStringLiteral("%1x%1/apps").arg(size);
    if (!theme.mkpath(folder))
        return false;
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    PaintAppIcon(painter, image.size(), 0);
    painter.end();
    return image.save(theme.filePath(folder + '/' + icon + ".png"));
}

bool DrawSvg(const QDir& theme, const QString& icon) {
    if (!theme.mkpath(QStringLiteral("scalable/apps")))
        return false;
    QSvgGenerator svg;
    svg.setFileName(theme.filePath("scalable/apps/" + icon + ".svg"));
    svg.setSize({ScalableSize, ScalableSize});
    svg.setViewBox(QRect(0, 0, ScalableSize, ScalableSize));
    svg.setTitle(QStringLiteral("VESKA Karvenna"));
    QPainter painter;
    if (!painter.begin(&svg))
        return false;
    PaintAppIcon(painter, {ScalableSize, ScalableSize}, 0);
    return painter.end();
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: karvenna-icongen FOLDER ICON_NAME\n");
        return 2;
    }
    const QDir theme(QDir(QString::fromLocal8Bit(argv[1])).filePath(QStringLiteral("hicolor")));
    const QString icon = QString::fromLocal8Bit(argv[2]);
    bool drawn = DrawSvg(theme, icon);
    for (int size : PixelSizes)
        drawn = DrawPng(theme, icon, size) && drawn;
    if (!drawn) {
        std::fprintf(stderr, "karvenna-icongen: cannot write the icons into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
