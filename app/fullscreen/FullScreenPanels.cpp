#include "app/fullscreen/FullScreenPanels.h"

#include "app/ControlIds.h"
#include "app/MainWindowSkin.h"
#include "app/fullscreen/FullScreenControlBar.h"
#include "app/fullscreen/FullScreenFileList.h"
#include "app/fullscreen/FullScreenLayout.h"
#include "app/fullscreen/FullScreenTitleBar.h"
#include "library/ui/FileListView.h"
#include "playback/ui/PlaybackCommands.h"
#include "skin/SkinSlider.h"

FullScreenPanels::FullScreenPanels(QWidget* window, FileListView& mainList)
    : QObject(window), m_controlBar(new FullScreenControlBar(window)),
      m_titleBar(new FullScreenTitleBar(window)),
      m_fileListPanel(new FullScreenFileList(window, mainList)) {}

FullScreenPanels::~FullScreenPanels() {
    delete m_fileListPanel;
    delete m_titleBar;
    delete m_controlBar;
}

void FullScreenPanels::Connect(const MainWindowControls& controls, PlaybackCommands& playback,
                               std::function<void(int)> sendCommand) {
    m_playback = &playback;
    auto forward = [this, sendCommand](SkinButton* button, int command) {
        connect(button, &SkinButton::command, this,
                [sendCommand, command] { sendCommand(command); });
    };
    const std::pair<int, int> barCommands[] = {{ControlBarId::Rewind, ControlId::Rewind},
                                               {ControlBarId::Forward, ControlId::Forward},
                                               {ControlBarId::PlayPause, ControlId::PlayPause},
                                               {ControlBarId::Previous, ControlId::Previous},
                                               {ControlBarId::Next, ControlId::Next},
                                               {ControlBarId::Settings, ControlId::Settings}};
    for (auto [bar, command] : barCommands)
        forward(m_controlBar->Button(bar), command);
    forward(m_titleBar->Button(TitleBarId::Leave), ControlId::Extend);
    connect(m_controlBar->Button(ControlBarId::Mute), &SkinButton::command, &playback,
            &PlaybackCommands::OnBarMute);
    connect(m_controlBar->Button(ControlBarId::FileListToggle), &SkinButton::command, this, [this] {
        ToggleFileListPanel(m_controlBar->Button(ControlBarId::FileListToggle)->isChecked());
    });
    for (int slider : {ControlBarId::Position, ControlBarId::Volume})
        connect(m_controlBar->Slider(slider), &SkinSlider::hScroll, &playback,
                &PlaybackCommands::OnSliderScroll);

    forward(m_fileListPanel->Button(FileListPanelId::Save), ControlId::Save);
    forward(m_fileListPanel->Button(FileListPanelId::Delete), ControlId::Delete);
    // The panel's check buttons run the window's own; the window's then say what came of it
    // (a dialog the user cancelled leaves them unchecked, a kind button stays checked).
    const std::pair<int, int> checkButtons[] = {
        {FileListPanelId::FolderToggle, ControlId::FolderToggle},
        {FileListPanelId::Calendar, ControlId::Calendar},
        {FileListPanelId::CheckAll, ControlId::CheckAll},
        {FileListPanelId::KindAll, ControlId::KindAll},
        {FileListPanelId::KindNormal, ControlId::KindNormal},
        {FileListPanelId::KindEvent, ControlId::KindEvent},
        {FileListPanelId::KindMotion, ControlId::KindMotion}};
    for (auto [panelId, windowId] : checkButtons) {
        SkinButton* panelButton = m_fileListPanel->Button(panelId);
        SkinButton* windowButton = controls.Button(windowId);
        panelButton->setChecked(windowButton->isChecked());
        connect(windowButton, &QAbstractButton::toggled, panelButton, &QAbstractButton::setChecked);
        const bool isKind = windowId >= ControlId::KindAll && windowId <= ControlId::KindMotion;
        connect(panelButton, &SkinButton::command, this,
                [panelButton, windowButton, windowId, isKind, sendCommand] {
                    if (!isKind)
                        windowButton->setChecked(panelButton->isChecked());
                    sendCommand(windowId);
                    panelButton->setChecked(windowButton->isChecked());
                });
    }
    connect(m_fileListPanel->List(), &FileListView::rowDoubleClicked, &playback,
            &PlaybackCommands::OnRowDoubleClicked);
}

void FullScreenPanels::PlaceBars(const QRect& window) {
    m_controlBar->hide();
    m_controlBar->setGeometry(FullScreenLayout::ControlBarRect(window));
    m_controlBar->LayOut();
    if (m_playback)
        m_playback->SyncControlBar();
    m_titleBar->hide();
    m_titleBar->setGeometry(FullScreenLayout::TitleBarRect(window));
    m_titleBar->PlaceButton();
}

void FullScreenPanels::ShowBars(const QRect& window) {
    if (!m_controlBar->isVisible()) {
        m_controlBar->setGeometry(FullScreenLayout::ControlBarRect(window));
        m_controlBar->show();
        m_controlBar->LayOut();
        if (m_playback)
            m_playback->SyncControlBar();
    }
    if (!m_titleBar->isVisible()) {
        m_titleBar->setGeometry(FullScreenLayout::TitleBarRect(window));
        m_titleBar->show();
        m_titleBar->PlaceButton();
    }
}

void FullScreenPanels::HideAll() {
    m_controlBar->hide();
    m_titleBar->hide();
    ToggleFileListPanel(false);
}

void FullScreenPanels::ToggleFileListPanel(bool show) {
    m_controlBar->Button(ControlBarId::FileListToggle)->setChecked(show);
    if (!show) {
        m_fileListPanel->hide();
        return;
    }
    if (m_fileListPanel->isVisible())
        return;
    m_fileListPanel->setGeometry(FullScreenLayout::FileListPanelRect(m_controlBar->geometry()));
    m_fileListPanel->show();
}
