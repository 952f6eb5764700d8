#pragma once

#include <QObject>
#include <functional>

class MapView;
class SkinButton;
class RecordingTelemetry;
class QWidget;

// The main window's controls that the map moves.
struct MapControls {
    MapView* map;
    QWidget* list;
    SkinButton* enlarge;
    SkinButton* pane;
};

// The main window's map: the pane under the list (ControlId::MapClose), the map enlarged over the
// window (ControlId::MapEnlarge), and closing it when a recording has no fixes or playback ends.
class MapCommands : public QObject {
    Q_OBJECT
public:
    // applyLayout applies a layout of the window (1 windowed, 8 map enlarged); connected tells
    // whether the page can be loaded; displayMode gives the window's mode.
    MapCommands(const RecordingTelemetry& telemetry, MapControls controls, QWidget* window,
                std::function<void(int)> applyLayout, std::function<bool()> connected,
                std::function<int()> displayMode);

    // 0 hidden, 4 pane, 8 enlarged.
    int MapViewState() const { return m_state; }

    void OnMapPanel();
    void OnMapEnlarge();
    // A recording without fixes was loaded.
    void CloseMap();
    // The playing recording was closed.
    void OnRecordingClosed();

signals:
    void mapViewStateChanged(int state);

private:
    bool RefuseWithoutFixes();
    void OpenPane();
    void ClosePane();
    void PlaceList();
    void LoadPage();
    void SetState(int state);

    const RecordingTelemetry& m_telemetry;
    MapControls m_controls;
    QWidget* m_window;
    std::function<void(int)> m_applyLayout;
    std::function<bool()> m_connected;
    std::function<int()> m_displayMode;
    int m_state = 0;
};
