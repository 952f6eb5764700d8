#pragma once

#include "app/MainWindowLayout.h"

// Where the full-screen panels stand, and the pointer zones that show and hide them.
namespace FullScreenLayout {

constexpr int TitleBarHeight = 40;
constexpr int ControlBarHeight = 44;
constexpr QSize FileListPanelSize{326, 587};

// The zone of a pointer at client row y: the top and bottom bands, where the bars appear, or
// elsewhere. No zone until the pointer has been seen in full-screen mode.
constexpr int NoZone = 0;
constexpr int BandZone = 21;
constexpr int ElsewhereZone = 22;
int PointerZone(int y, int clientHeight);

// The bars along the bottom and top edges of the window's screen rectangle.
QRect ControlBarRect(const QRect& window);
QRect TitleBarRect(const QRect& window);
// The file-list panel stands at the control bar's right end, above it.
QRect FileListPanelRect(const QRect& controlBar);

// The control bar's controls for its client size.
QList<MainWindowLayout::Placement> ControlBarPlacements(QSize client);
QRect TitleBarButtonRect(int titleBarWidth);

} // namespace FullScreenLayout
