#pragma once

#include <QList>
#include <QRect>

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
// The map view's place in the windowed layout; empty when the pane is closed.
QRect WindowedMapRect(int mapViewState);
// Where the map pane's header strip is drawn over the background.
QPoint MapHeaderPosition(int mapViewState);

} // namespace MainWindowLayout
