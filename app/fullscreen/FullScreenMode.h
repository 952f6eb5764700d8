#pragma once

#include <QObject>
#include <QRect>
#include <functional>

class FileListView;
class FullScreenPanels;
class QDialog;
class VideoWindow;
struct MainWindowControls;

// The main window's full-screen mode: going there and back, and the bars and the file-list
// panel that the pointer calls up at the screen's edges while there.
class FullScreenMode : public QObject {
    Q_OBJECT
public:
    // applyLayout lays the window out for a mode (MainWindowLayout); showsVideo tells whether
    // the windowed view shows the video (not the enlarged map).
    FullScreenMode(QDialog& window, const MainWindowControls& controls, VideoWindow& video,
                   FileListView& list, FullScreenPanels& panels,
                   std::function<void(int)> applyLayout, std::function<bool()> showsVideo);

    // MainWindowLayout::Windowed or FullScreen.
    int Mode() const { return m_mode; }
    bool IsFullScreen() const;
    // The pointer's last zone while full screen (FullScreenLayout); kept across the modes.
    int PointerZone() const { return m_pointerZone; }

    void Toggle();
    void Enter();
    void Leave();
    // The pointer moved to height y of the window.
    void OnPointerMoved(int y);
    // The window's size changed while full screen.
    void OnResized();

private:
    void ShowPointerControls(bool show);
    // The window's rectangle on the screen.
    QRect ScreenRect() const;

    QDialog& m_window;
    const MainWindowControls& m_controls;
    VideoWindow& m_video;
    FileListView& m_list;
    FullScreenPanels& m_panels;
    std::function<void(int)> m_applyLayout;
    std::function<bool()> m_showsVideo;
    // Where the window stood before it went full screen, to return there.
    QRect m_windowRect;
    int m_mode;
    int m_pointerZone = 0;
};
