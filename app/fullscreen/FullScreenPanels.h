#pragma once

#include <QObject>
#include <QRect>
#include <functional>

class FileListView;
class FullScreenFileList;
class FullScreenControlBar;
class FullScreenTitleBar;
class PlaybackCommands;
class QWidget;
struct MainWindowControls;

// The three floating panels of full-screen mode, made once at start-up and hidden: the control
// bar, the title bar and the file-list panel. Their controls forward to the main window's
// commands, so that each command keeps one implementation and both sets show the same state.
class FullScreenPanels : public QObject {
    Q_OBJECT
public:
    FullScreenPanels(QWidget* window, FileListView& mainList);
    // Destroys the panels: the file-list panel's list must go before the main list.
    ~FullScreenPanels() override;

    FullScreenControlBar& ControlBar() const { return *m_controlBar; }
    FullScreenTitleBar& TitleBar() const { return *m_titleBar; }
    FullScreenFileList& FileListPanel() const { return *m_fileListPanel; }

    // sendCommand runs a command of the main window by its control ID.
    void Connect(const MainWindowControls& controls, PlaybackCommands& playback,
                 std::function<void(int)> sendCommand);

    // The window took a new place on the screen: the bars follow it, hidden.
    void PlaceBars(const QRect& window);
    // The pointer came into a band: both bars appear along the window's edges.
    void ShowBars(const QRect& window);
    // The pointer left the bands, or full-screen mode ended: every panel goes, and the control
    // bar's file-list button is unchecked.
    void HideAll();

private:
    void ToggleFileListPanel(bool show);

    FullScreenControlBar* m_controlBar;
    FullScreenTitleBar* m_titleBar;
    FullScreenFileList* m_fileListPanel;
    PlaybackCommands* m_playback = nullptr;
};
