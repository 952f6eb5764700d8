#pragma once

#include <QList>
#include <QRect>
#include <QSize>

// Where the main window's controls stand in each layout, as numbers only.
namespace MainWindowLayout {

constexpr int Windowed = 1;
constexpr int FullScreen = 2;
constexpr int MapEnlarged = 8;

constexpr int MapHidden = 0;
constexpr int MapInPane = 4;

struct Placement {
    int controlId;
    QRect rect;
};

// The controls of the windowed layout; the map buttons depend on whether the map pane is open.
QList<Placement> WindowedPlacements(int mapViewState);
QRect WindowedVideoRect();
// Where the position slider is made: the skin is set up before the first layout, which moves the
// slider to its windowed place at once.
QRect PositionSliderCreatedRect();
QRect WindowedListRect();
// The list (its scroll bar stands beside it) with the map pane open or closed.
QRect ListRect(int mapViewState);
// The map view's place in the windowed layout; empty when the pane is closed.
QRect WindowedMapRect(int mapViewState);
// The map view as the pane's button opens it, and where it is put away without a connection.
QRect MapPaneRect();
QRect MapCollapsedRect();
QRect EnlargedMapRect();
// Over the enlarged map's bottom-left corner, on a panel of their own: the video small, and under
// it play/pause, the position slider and the two times.
QRect EnlargedMapPanelRect();
QRect EnlargedMapVideoRect();
QList<Placement> EnlargedMapPlaybackPlacements();
// The map buttons below the list (pane closed) or above the pane; 1018 on the enlarged map.
QRect MapEnlargeButtonRect(int mapViewState);
QRect MapPaneButtonRect(int mapViewState);
QRect MapReturnButtonRect();
// Where the map pane's header strip is drawn over the background.
QPoint MapHeaderPosition(int mapViewState);
// The speed digits, beside the map buttons.
QPoint SpeedPosition(int mapViewState);

// Full screen: the video fitted at 16:9 into the client area and centred.
QRect FullScreenVideoRect(QSize client);
// The playback controls that stay in the full-screen window as a bottom bar (and the mode's own
// button at the top right) until the pointer first changes zone.
QList<Placement> FullScreenPlacements(QSize client);
// The controls the full-screen layout hides.
QList<int> FullScreenHiddenControls();
// The controls that every pointer movement shows again in the windowed layout, and that the
// pointer zones of full-screen mode hide.
QList<int> PointerControls();

} // namespace MainWindowLayout
