#include "app/fullscreen/FullScreenLayout.h"

#include "app/ControlIds.h"

namespace FullScreenLayout {

int PointerZone(int y, int clientHeight) {
    const bool inTopBand = y >= 0 && y < TitleBarHeight;
    const bool inBottomBand = y >= clientHeight - ControlBarHeight && y < clientHeight;
    return inTopBand || inBottomBand ? BandZone : ElsewhereZone;
}

QRect ControlBarRect(const QRect& window) {
    return {window.left(), window.bottom() + 1 - ControlBarHeight, window.width(),
            ControlBarHeight};
}

QRect TitleBarRect(const QRect& window) {
    return {window.left(), window.top(), window.width(), TitleBarHeight};
}

QRect FileListPanelRect(const QRect& controlBar) {
    return {QPoint(controlBar.right() + 1 - 326, controlBar.bottom() + 1 - 631), FileListPanelSize};
}

QList<MainWindowLayout::Placement> ControlBarPlacements(QSize client) {
    using namespace ControlBarId;
    const int w = client.width();
    const int h = client.height();
    return {
        {Settings, {w - 93, h - 36, 36, 28}},   {FileListToggle, {w - 57, h - 36, 37, 28}},
        {Rewind, {w - 550, h - 36, 36, 28}},    {Forward, {w - 514, h - 36, 37, 28}},
        {PlayPause, {w - 465, h - 36, 37, 28}}, {Previous, {w - 416, h - 36, 36, 28}},
        {Next, {w - 380, h - 36, 37, 28}},      {Mute, {w - 319, h - 32, 22, 16}},
        {Position, {20, h - 39, w - 599, 20}},  {Volume, {w - 291, h - 31, 181, 15}},
        {ElapsedTime, {20, h - 19, 50, 13}},    {TotalTime, {w - 628, h - 19, 50, 13}},
    };
}

QRect TitleBarButtonRect(int titleBarWidth) {
    return {titleBarWidth - 56, 7, 37, 28};
}

} // namespace FullScreenLayout
