#include "app/fullscreen/FullScreenMode.h"

#include "app/ControlIds.h"
#include "app/MainWindowLayout.h"
#include "app/MainWindowSkin.h"
#include "app/fullscreen/FullScreenLayout.h"
#include "app/fullscreen/FullScreenPanels.h"
#include "library/ui/FileListView.h"
#include "playback/ui/VideoWindow.h"
#include "skin/SkinButton.h"

#include <QDialog>
#include <QScreen>

FullScreenMode::FullScreenMode(QDialog& window, const MainWindowControls& controls,
                               VideoWindow& video, FileListView& list, FullScreenPanels& panels,
                               std::function<void(int)> applyLayout,
                               std::function<bool()> showsVideo)
    : QObject(&window), m_window(window), m_controls(controls), m_video(video), m_list(list),
      m_panels(panels), m_applyLayout(std::move(applyLayout)), m_showsVideo(std::move(showsVideo)),
      m_mode(MainWindowLayout::Windowed) {}

bool FullScreenMode::IsFullScreen() const {
    return m_mode == MainWindowLayout::FullScreen;
}

void FullScreenMode::Toggle() {
    if (IsFullScreen())
        Leave();
    else
        Enter();
}

void FullScreenMode::Enter() {
    m_windowRect = m_window.geometry();
    // Not hidden on the way: hiding a dialog ends its run, and with it the program.
    m_mode = MainWindowLayout::FullScreen;
    m_panels.HideAll();
    m_window.setMinimumSize(0, 0);
    m_window.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    // Covers the screen also where no window manager answers the full-screen request.
    m_window.setGeometry(m_window.screen()->geometry());
    m_window.showFullScreen();
    m_applyLayout(MainWindowLayout::FullScreen);
}

void FullScreenMode::Leave() {
    m_video.hide();
    m_mode = MainWindowLayout::Windowed;
    m_window.showNormal();
    // The file-list panel goes too: it belongs to the full screen it floated over.
    m_panels.HideAll();
    m_applyLayout(MainWindowLayout::Windowed);
    m_window.move(m_windowRect.topLeft());
}

void FullScreenMode::OnPointerMoved(int y) {
    using namespace FullScreenLayout;
    if (!IsFullScreen()) {
        // Over the enlarged map the window's controls stay away.
        if (m_showsVideo())
            ShowPointerControls(true);
        return;
    }
    const int zone = FullScreenLayout::PointerZone(y, m_window.height());
    if (zone == m_pointerZone)
        return;
    m_pointerZone = zone;
    ShowPointerControls(false);
    m_controls.Button(ControlId::Extend)->setVisible(zone == BandZone);
    m_video.Repaint();
    if (zone == BandZone)
        m_panels.ShowBars(ScreenRect());
    else
        m_panels.HideAll();
}

void FullScreenMode::OnResized() {
    if (!IsFullScreen())
        return;
    // The screen's size may arrive after the layout was made, or change while full screen.
    m_applyLayout(MainWindowLayout::FullScreen);
    m_panels.PlaceBars(ScreenRect());
}

void FullScreenMode::ShowPointerControls(bool show) {
    m_list.setVisible(show);
    for (int id : MainWindowLayout::PointerControls())
        m_controls.Control(id)->setVisible(show);
}

QRect FullScreenMode::ScreenRect() const {
    return QRect(m_window.mapToGlobal(QPoint(0, 0)), m_window.size());
}
