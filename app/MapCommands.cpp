#include "app/MapCommands.h"

#include "app/MainWindowLayout.h"
#include "resources/LocalizedStrings.h"
#include "resources/StringIds.h"
#include "skin/BitmapIds.h"
#include "skin/MessageBox.h"
#include "skin/SkinButton.h"
#include "telemetry/RecordingTelemetry.h"
#include "telemetry/display/MapPage.h"
#include "telemetry/ui/MapView.h"

using namespace MainWindowLayout;

MapCommands::MapCommands(const RecordingTelemetry& telemetry, MapControls controls, QWidget* window,
                         std::function<void(int)> applyLayout, std::function<bool()> connected,
                         std::function<int()> displayMode)
    : QObject(window), m_telemetry(telemetry), m_controls(controls), m_window(window),
      m_applyLayout(std::move(applyLayout)), m_connected(std::move(connected)),
      m_displayMode(std::move(displayMode)) {}

void MapCommands::OnMapPanel() {
    if (RefuseWithoutFixes())
        return;
    if (m_state == MapInPane)
        ClosePane();
    else
        OpenPane();
    m_window->update();
}

void MapCommands::OnMapEnlarge() {
    if (RefuseWithoutFixes())
        return;
    if (m_state == MapEnlarged) {
        SetState(MapInPane);
        m_applyLayout(Windowed);
        OpenPane();
    } else {
        SetState(MapEnlarged);
        if (m_connected())
            LoadPage();
        m_applyLayout(MapEnlarged);
    }
    m_window->update();
}

void MapCommands::CloseMap() {
    const bool wasEnlarged = m_state == MapEnlarged;
    ClosePane();
    if (wasEnlarged)
        m_applyLayout(Windowed);
}

void MapCommands::OnRecordingClosed() {
    // Closing the pane directly: the pane's button would refuse if the fixes were gone.
    if (m_state == MapInPane) {
        ClosePane();
    } else if (m_state == MapEnlarged) {
        SetState(MapHidden);
        m_applyLayout(m_displayMode());
    }
    m_window->update();
}

bool MapCommands::RefuseWithoutFixes() {
    if (m_telemetry.FixCount() > 0)
        return false;
    MessageBox::Tell(m_window, LoadLangString(StringId::NoGpsFiles));
    return true;
}

void MapCommands::OpenPane() {
    SetState(MapInPane);
    PlaceList();
    m_controls.map->setGeometry(MapPaneRect());
    m_controls.map->show();
    m_controls.enlarge->setGeometry(MapEnlargeButtonRect(MapInPane));
    m_controls.pane->SetImages(ButtonLook::MapPaneClose);
    m_controls.pane->setGeometry(MapPaneButtonRect(MapInPane));
    m_controls.pane->update();
    if (m_connected())
        LoadPage();
    else
        m_controls.map->setGeometry(MapCollapsedRect());
}

void MapCommands::ClosePane() {
    SetState(MapHidden);
    PlaceList();
    m_controls.map->setGeometry(QRect(0, 0, 0, 0));
    m_controls.enlarge->setGeometry(MapEnlargeButtonRect(MapHidden));
    m_controls.pane->SetImages(ButtonLook::MapPaneOpen);
    m_controls.pane->setGeometry(MapPaneButtonRect(MapHidden));
    m_controls.pane->update();
}

void MapCommands::PlaceList() {
    m_controls.list->setGeometry(ListRect(m_state));
    m_controls.list->setFocus();
    m_controls.list->update();
}

void MapCommands::LoadPage() {
    // Loaded afresh at every opening: the marker comes back with the next tick.
    m_controls.map->Navigate(MapPage::PageUrl(GetUILanguage()));
}

void MapCommands::SetState(int state) {
    m_state = state;
    emit mapViewStateChanged(state);
}
