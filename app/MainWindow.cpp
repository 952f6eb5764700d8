#include "app/MainWindow.h"

#include "app/ControlIds.h"
#include "app/DecoderCheck.h"
#include "app/IncidentCommands.h"
#include "app/Language.h"
#include "app/MainWindowLayout.h"
#include "app/MapCommands.h"
#include "app/RepairOffer.h"
#include "app/TripEventCommands.h"
#include "app/fullscreen/FullScreenControlBar.h"
#include "app/fullscreen/FullScreenFileList.h"
#include "app/fullscreen/FullScreenLayout.h"
#include "app/fullscreen/FullScreenMode.h"
#include "app/fullscreen/FullScreenPanel.h"
#include "app/fullscreen/FullScreenPanels.h"
#include "app/fullscreen/FullScreenTitleBar.h"
#include "library/ui/CardLibrary.h"
#include "library/ui/FileListView.h"
#include "library/ui/SaveDeleteCommands.h"
#include "playback/ui/PlaybackCommands.h"
#include "playback/ui/SnapshotCommands.h"
#include "playback/ui/VideoWindow.h"
#include "resources/LocalizedStrings.h"
#include "resources/StringIds.h"
#include "settings/ui/SettingsDialog.h"
#include "skin/BitmapIds.h"
#include "skin/MessageBox.h"
#include "skin/SkinBitmaps.h"
#include "skin/SkinButton.h"
#include "skin/SkinColours.h"
#include "skin/SkinLabel.h"
#include "skin/SkinSlider.h"
#include "telemetry/ui/GSensorGraphView.h"
#include "telemetry/ui/MapView.h"
#include "telemetry/ui/Reachability.h"
#include "telemetry/ui/TelemetryViews.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QWindow>
#include <algorithm>

MainWindow::MainWindow(const QString& cardRoot, const DriveProvider* drives,
                       AudioOutputFactory audio, std::function<bool()> connected, QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::FramelessWindowHint), m_player(std::move(audio)),
      m_linuxDrives(cardRoot), m_drives(drives ? *drives : m_linuxDrives), m_driveWatcher(m_drives),
      m_connected(connected ? std::move(connected) : std::function<bool()>(InternetConnected)) {
    setWindowIcon(QIcon(SkinBitmap(BitmapId::AppIcon)));
    setWindowTitle(QStringLiteral("VESKA Karvenna"));
    setFixedSize(Width, Height);
    // Full-screen mode follows the pointer without a button held.
    setMouseTracking(true);
    SetUILanguage(ChooseUILanguage(ConfiguredLanguageValue(), QLocale::system()));
    CreateSkin();
    ApplyLayout(MainWindowLayout::Windowed);
    m_panels = new FullScreenPanels(this, *m_fileList);
    m_panels->FileListPanel().List()->SetCurrentIndexSource([this] { return CurrentIndex(); });
    m_playback->SetControlBar({m_panels->ControlBar().Button(ControlBarId::PlayPause),
                               m_panels->ControlBar().Button(ControlBarId::Mute),
                               m_panels->ControlBar().Slider(ControlBarId::Position),
                               m_panels->ControlBar().Slider(ControlBarId::Volume),
                               m_panels->ControlBar().Text(ControlBarId::ElapsedTime),
                               m_panels->ControlBar().Text(ControlBarId::TotalTime),
                               m_panels->TitleBar().Text(TitleBarId::FileName),
                               ButtonLook::BarVolume, ButtonLook::BarMuted});
    m_fullScreen = new FullScreenMode(
        *this, m_controls, *m_videoWindow, *m_fileList, *m_panels,
        [this](int layout) { ApplyLayout(layout); }, [this] { return ShowsVideo(); });
    m_incident =
        new IncidentCommands(this, *m_library, *m_fileList, *m_playback, m_player, *m_events,
                             {m_controls.Slider(ControlId::PositionSlider),
                              m_panels->ControlBar().Slider(ControlBarId::Position)});
    ConnectCommands();
    qApp->installEventFilter(this);
    QMetaObject::invokeMethod(m_library, &CardLibrary::ScanDrives, Qt::QueuedConnection);
}

MainWindow::~MainWindow() {
    qApp->removeEventFilter(this);
    // The panels first: the file-list panel shows the rows of the window's list.
    delete m_panels;
}

int MainWindow::CurrentIndex() const {
    return m_playback->CurrentIndex();
}

int MainWindow::MapViewState() const {
    return m_map->MapViewState();
}

int MainWindow::DisplayMode() const {
    // Windowed while the window is being made.
    return m_fullScreen ? m_fullScreen->Mode() : MainWindowLayout::Windowed;
}

int MainWindow::PointerZone() const {
    return m_fullScreen ? m_fullScreen->PointerZone() : 0;
}

const RecordingTelemetry& MainWindow::Telemetry() const {
    return m_telemetry->Telemetry();
}

const QString& MainWindow::LibraryRoot() const {
    return m_library->LibraryRoot();
}

void MainWindow::CreateSkin() {
    m_videoWindow = new VideoWindow(this, ControlId::VideoWindow,
                                    MainWindowLayout::WindowedVideoRect(), m_player);
    m_videoWindow->show();
    // The pointer over the video moves over the window, whose zones drive full-screen mode.
    m_videoWindow->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_mapView = new MapView(this);
    m_mapView->setObjectName(QString::number(ControlId::MapView));
    m_mapView->setGeometry(0, 0, 0, 0);
    m_mapPlaybackPanel = new QWidget(this);
    m_mapPlaybackPanel->setAutoFillBackground(true);
    m_mapPlaybackPanel->setPalette(QPalette(SkinColour::Back));
    m_mapPlaybackPanel->hide();
    m_controls = CreateSkinnedControls(this);
    m_controls.Slider(ControlId::PositionSlider)
        ->setGeometry(MainWindowLayout::PositionSliderCreatedRect());

    m_fileList = new FileListView(this);
    m_fileList->setObjectName(QString::number(ControlId::FileList));
    m_fileList->setGeometry(MainWindowLayout::WindowedListRect());
    m_fileList->CreateScrollBar();
    m_fileList->SetCurrentIndexSource([this] { return CurrentIndex(); });
    const LibraryButtons libraryButtons{
        {m_controls.Button(ControlId::KindAll), m_controls.Button(ControlId::KindNormal),
         m_controls.Button(ControlId::KindEvent), m_controls.Button(ControlId::KindMotion)},
        m_controls.Button(ControlId::Calendar),
        m_controls.Button(ControlId::FolderToggle),
        m_controls.Button(ControlId::CheckAll)};
    m_library =
        new CardLibrary(m_drives, m_linuxDrives.CardRoot(), *m_fileList, libraryButtons, this);

    const PlaybackControls playbackControls{
        {m_controls.Button(ControlId::PlayPause), m_controls.Button(ControlId::Mute),
         m_controls.Slider(ControlId::PositionSlider), m_controls.Slider(ControlId::VolumeSlider),
         m_controls.Text(ControlId::ElapsedTime), m_controls.Text(ControlId::TotalTime),
         m_controls.Text(ControlId::FileName), ButtonLook::Volume, ButtonLook::Muted},
        m_controls.Slider(ControlId::SpeedSlider),
        m_controls.Slider(ControlId::BrightnessSlider)};
    m_playback = new PlaybackCommands(
        m_player, playbackControls, *m_fileList, this,
        [this] { return CheckDecoder(m_player, this); }, [this] { return ShowsVideo(); });
    m_telemetry = new TelemetryViews(this, *m_mapView);
    m_map = new MapCommands(
        m_telemetry->Telemetry(),
        {m_mapView, m_fileList, m_controls.Button(ControlId::MapEnlarge),
         m_controls.Button(ControlId::MapClose)},
        this, [this](int layout) { ApplyLayout(layout); }, m_connected,
        [this] { return DisplayMode(); });
    m_playback->StopPlayback();
    m_snapshots =
        new SnapshotCommands(m_player, *m_videoWindow, *m_playback, *m_fileList, *m_library, this);
    m_saveDelete = new SaveDeleteCommands(*m_fileList, *m_library, this);
    m_events =
        new TripEventCommands(this, *m_fileList, m_telemetry->Graph(), *m_playback, m_player);
}

void MainWindow::ApplyLayout(int layout) {
    using namespace MainWindowLayout;
    if (layout != FullScreen)
        m_telemetry->PlaceOverlay({});
    if (layout != MapEnlarged)
        m_mapPlaybackPanel->hide();
    // The count of events stands over the list and goes with it.
    m_events->Status()->setVisible(layout == Windowed && MapViewState() != MapEnlarged);
    // Back from full screen, the map may still be the enlarged one.
    if (layout == Windowed && MapViewState() == MapEnlarged)
        layout = MapEnlarged;
    if (layout == Windowed) {
        setFixedSize(Width, Height);
        m_videoWindow->setGeometry(WindowedVideoRect());
        m_fileList->show();
        for (const auto& placement : WindowedPlacements(MapViewState())) {
            QWidget* control = m_controls.Control(placement.controlId);
            control->setGeometry(placement.rect);
            control->show();
        }
        RestoreWindowedLooks(m_controls);
        m_mapView->setGeometry(WindowedMapRect(MapViewState()));
    } else if (layout == FullScreen) {
        m_videoWindow->setGeometry(FullScreenVideoRect(size()));
        m_fileList->hide();
        for (int id : FullScreenHiddenControls())
            m_controls.Control(id)->hide();
        for (const auto& placement : FullScreenPlacements(size()))
            m_controls.Control(placement.controlId)->setGeometry(placement.rect);
        m_controls.Slider(ControlId::VolumeSlider)->SetImages(SliderLook::BarVolume);
        m_mapView->setGeometry(0, 0, 0, 0);
        QRect overlayArea = FullScreenVideoRect(size());
        overlayArea.setTop(std::max(overlayArea.top(), FullScreenLayout::TitleBarHeight));
        m_telemetry->PlaceOverlay(overlayArea);
    } else if (layout == MapEnlarged) {
        ApplyEnlargedMapLayout();
        return;
    } else {
        return;
    }
    m_videoWindow->show();
    m_videoWindow->Repaint();
    PlaceTelemetryViews();
    update();
}

void MainWindow::ApplyEnlargedMapLayout() {
    using namespace MainWindowLayout;
    m_fileList->hide();
    for (const auto& placement : WindowedPlacements(MapViewState())) {
        QWidget* control = m_controls.Control(placement.controlId);
        const int id = placement.controlId;
        if (id == ControlId::Settings || id == ControlId::Minimize || id == ControlId::Close)
            control->setGeometry(placement.rect);
        else
            control->hide();
    }
    SkinButton* back = m_controls.Button(ControlId::MapEnlarge);
    back->SetImages(ButtonLook::MapReturn);
    back->SetTip(QString());
    back->setGeometry(MapReturnButtonRect());
    back->show();
    m_mapView->setGeometry(EnlargedMapRect());
    m_mapView->show();
    // The road and the car's place together: the video and its controls stay over the map.
    m_mapPlaybackPanel->setGeometry(EnlargedMapPanelRect());
    m_mapPlaybackPanel->show();
    m_mapPlaybackPanel->raise();
    m_videoWindow->setGeometry(EnlargedMapVideoRect());
    m_videoWindow->show();
    m_videoWindow->raise();
    m_videoWindow->Repaint();
    for (const auto& placement : EnlargedMapPlaybackPlacements()) {
        QWidget* control = m_controls.Control(placement.controlId);
        control->setGeometry(placement.rect);
        control->show();
        control->raise();
    }
    PlaceTelemetryViews();
    update();
}

void MainWindow::ToggleTelemetryOverlay() {
    m_telemetry->ToggleOverlay();
    m_panels->TitleBar()
        .Button(TitleBarId::TelemetryOverlay)
        ->setChecked(m_telemetry->OverlayWanted());
}

bool MainWindow::ShowsVideo() const {
    return DisplayMode() == MainWindowLayout::Windowed &&
           MapViewState() != MainWindowLayout::MapEnlarged;
}

void MainWindow::PlaceTelemetryViews() {
    m_telemetry->Place(ShowsVideo(), MainWindowLayout::SpeedPosition(MapViewState()));
}

void MainWindow::ConnectCommands() {
    auto onCommand = [this](int id, std::function<void()> handler) {
        m_commands.insert(id, std::move(handler));
        connect(m_controls.Button(id), &SkinButton::command, this, [this, id] { OnCommand(id); });
    };
    onCommand(ControlId::Minimize, [this] { showMinimized(); });
    onCommand(ControlId::Close, [this] { Close(); });
    onCommand(ControlId::Settings, [this] { OnSettings(); });
    onCommand(ControlId::Save, [this] { m_saveDelete->Save(); });
    onCommand(ControlId::Delete, [this] { m_saveDelete->Delete(); });
    onCommand(ControlId::SpanStart, [this] { m_incident->MarkStart(); });
    onCommand(ControlId::SpanEnd, [this] { m_incident->MarkEnd(); });
    onCommand(ControlId::IncidentPack, [this] { m_incident->OnPackButton(); });
    for (auto [id, tip] : {std::pair{ControlId::SpanStart, StringId::SpanStartTip},
                           {ControlId::SpanEnd, StringId::SpanEndTip},
                           {ControlId::IncidentPack, StringId::IncidentPackTip}})
        m_controls.Button(id)->SetTip(LoadLangString(tip));
    onCommand(ControlId::Rotate, [this] { m_snapshots->Rotate(); });
    onCommand(ControlId::Capture, [this] { m_snapshots->Capture(); });
    onCommand(ControlId::Extend, [this] { m_fullScreen->Toggle(); });
    onCommand(ControlId::KindAll, [this] { m_library->OnKindButton(KindAll); });
    onCommand(ControlId::KindNormal, [this] { m_library->OnKindButton(KindNormal); });
    onCommand(ControlId::KindEvent, [this] { m_library->OnKindButton(KindEvent); });
    onCommand(ControlId::KindMotion, [this] { m_library->OnKindButton(KindMotion); });
    onCommand(ControlId::Calendar, [this] { m_library->OnCalendarToggle(); });
    onCommand(ControlId::FolderToggle, [this] { m_library->OnFolderToggle(); });
    onCommand(ControlId::CheckAll, [this] { m_library->OnCheckAll(); });
    onCommand(ControlId::Rewind, [this] { m_playback->Rewind(); });
    onCommand(ControlId::Forward, [this] { m_playback->Forward(); });
    onCommand(ControlId::PlayPause, [this] { m_playback->PlayPause(); });
    onCommand(ControlId::Previous, [this] { m_playback->Previous(); });
    onCommand(ControlId::Next, [this] { m_playback->Next(); });
    onCommand(ControlId::Mute, [this] { m_playback->OnMute(); });
    onCommand(ControlId::MapEnlarge, [this] { m_map->OnMapEnlarge(); });
    onCommand(ControlId::MapClose, [this] { m_map->OnMapPanel(); });
    for (int slider : {ControlId::PositionSlider, ControlId::SpeedSlider, ControlId::VolumeSlider,
                       ControlId::BrightnessSlider})
        connect(m_controls.Slider(slider), &SkinSlider::hScroll, m_playback,
                &PlaybackCommands::OnSliderScroll);
    connect(m_fileList, &FileListView::rowDoubleClicked, m_playback,
            &PlaybackCommands::OnRowDoubleClicked);
    m_panels->Connect(m_controls, *m_playback, [this](int id) { OnCommand(id); });
    connect(m_panels->TitleBar().Button(TitleBarId::TelemetryOverlay), &SkinButton::command, this,
            &MainWindow::ToggleTelemetryOverlay);
    connect(
        m_playback, &PlaybackCommands::recordingOpened, this,
        [this](const QString& path) {
            const TripEventCommands::TripTrack trip = m_events->TripTrackOf(path);
            if (!m_telemetry->ShowRecording(path, m_player.DurationMs(), trip.pieces, trip.current))
                m_map->CloseMap();
        },
        Qt::QueuedConnection);
    // A removed card hid the video; the next recording shows it again.
    connect(m_playback, &PlaybackCommands::recordingOpened, m_videoWindow, &QWidget::show);
    connect(m_playback, &PlaybackCommands::recordingOpened, m_snapshots,
            &SnapshotCommands::OnRecordingOpened);
    // After the graph is drawn, which the queued call above does.
    connect(m_playback, &PlaybackCommands::recordingOpened, m_events,
            &TripEventCommands::OnRecordingOpened, Qt::QueuedConnection);
    connect(m_playback, &PlaybackCommands::recordingOpened, m_incident, &IncidentCommands::ShowSpan,
            Qt::QueuedConnection);
    connect(m_library, &CardLibrary::listRefreshed, m_events, [this] {
        m_events->OnListRefreshed(m_library->LibraryRoot(), m_library->FolderMode());
    });
    connect(m_saveDelete, &SaveDeleteCommands::listRebuiltAfterDelete, m_events, [this] {
        m_events->OnListRefreshed(m_library->LibraryRoot(), m_library->FolderMode(), true);
    });
    connect(m_saveDelete, &SaveDeleteCommands::listRebuiltAfterDelete, m_playback,
            &PlaybackCommands::FollowOpenRecording);
    connect(m_saveDelete, &SaveDeleteCommands::saveFinished, this,
            [this](const SaveReport& report) { OfferRepairedCopies(this, report); });
    connect(m_playback, &PlaybackCommands::positionShown, m_telemetry,
            &TelemetryViews::ShowPosition);
    connect(m_playback, &PlaybackCommands::playbackStopped, this, [this] {
        m_telemetry->Clear();
        m_map->OnRecordingClosed();
        update();
    });
    connect(m_map, &MapCommands::mapViewStateChanged, this, &MainWindow::PlaceTelemetryViews);
    connect(&m_telemetry->Graph(), &GSensorGraphView::seekRequested, m_playback,
            &PlaybackCommands::SeekTo);
    connect(m_mapView, &MapView::trackClicked, m_events, &TripEventCommands::OnTrackClicked);
    // A scan that ends after the recording opened still shows its trip.
    connect(m_events, &TripEventCommands::scanned, this, [this] {
        if (const RecordingEntry* playing = m_fileList->Row(CurrentIndex());
            playing && m_player.HasMedia())
            if (const auto trip = m_events->TripTrackOf(playing->path); !trip.pieces.isEmpty())
                m_mapView->SetTrack(trip.pieces, trip.current);
    });
    connect(&m_driveWatcher, &DriveRemovalWatcher::driveRemoved, this, &MainWindow::OnDriveRemoved);
}

void MainWindow::OnCommand(int controlId) {
    if (const auto command = m_commands.constFind(controlId); command != m_commands.constEnd())
        (*command)();
}

void MainWindow::Close() {
    m_playback->Shutdown();
    done(0);
}

void MainWindow::OnSettings() {
    if (!m_library->EnsureCardDrive())
        return;
    m_settingsDialog.reset();
    // Formatting leaves no file of the card open and no row of the old recordings.
    const QString driveRoot = m_drives.DriveRootOf(LibraryRoot());
    const FormatSteps formatSteps{
        [this] {
            m_playback->StopPlayback();
            m_player.Close();
        },
        [this] { m_fileList->DeleteAllItems(); },
        [this, driveRoot](const QString& newRoot) { OnCardMoved(driveRoot, newRoot); }};
    m_settingsDialog = std::make_unique<SettingsDialog>(m_settings, driveRoot, this,
                                                        &m_cardFormatter, formatSteps);
    m_settingsDialog->show();
}

void MainWindow::OnDriveRemoved(const QString& root) {
    if (!m_library->ForgetRemovedDrive(root))
        return;
    m_playback->StopPlayback();
    m_controls.Slider(ControlId::SpeedSlider)->setValue(5);
    m_controls.Slider(ControlId::BrightnessSlider)->setValue(0);
    m_settings.Reset();
    // With the card gone there is nothing to watch full screen: back to the window, rather
    // than a window still covering the screen that believes it is windowed.
    if (m_fullScreen->IsFullScreen())
        m_fullScreen->Leave();
    m_videoWindow->hide();
    update();
}

void MainWindow::OnCardMoved(const QString& oldRoot, const QString& newRoot) {
    m_library->FollowMovedCard(oldRoot, newRoot);
    m_driveWatcher.ForgetMovedRoot(oldRoot);
}

void MainWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (m_fullScreen->IsFullScreen()) {
        painter.fillRect(rect(), Qt::black);
        return;
    }
    painter.drawPixmap(0, 0, SkinBitmap(BitmapId::MainBackground));
    if (MapViewState() != MainWindowLayout::MapEnlarged)
        painter.drawPixmap(MainWindowLayout::MapHeaderPosition(MapViewState()),
                           SkinBitmap(BitmapId::MapHeader));
}

void MainWindow::mousePressEvent(QMouseEvent* event) {
    // Free skin is the window's caption: a press there drags the window. The video is not
    // caption: a double-click there goes full screen.
    if (event->button() == Qt::LeftButton && !m_fullScreen->IsFullScreen() &&
        !OverVideo(event->position().toPoint()) && windowHandle())
        windowHandle()->startSystemMove();
    QDialog::mousePressEvent(event);
}

void MainWindow::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && OverVideo(event->position().toPoint()))
        m_fullScreen->Toggle();
    QDialog::mouseDoubleClickEvent(event);
}

void MainWindow::wheelEvent(QWheelEvent* event) {
    // Over the video the wheel sets the volume, as in desktop players.
    const int notches = event->angleDelta().y() / QWheelEvent::DefaultDeltasPerStep;
    if (notches != 0 && OverVideo(event->position().toPoint()))
        m_playback->StepVolume(notches);
    event->accept();
}

bool MainWindow::OverVideo(QPoint point) const {
    return m_videoWindow->isVisible() && m_videoWindow->geometry().contains(point);
}

void MainWindow::mouseMoveEvent(QMouseEvent* event) {
    m_fullScreen->OnPointerMoved(event->position().toPoint().y());
    QDialog::mouseMoveEvent(event);
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    // Before the modes exist, the window is still being made.
    if (m_fullScreen)
        m_fullScreen->OnResized();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return false;
    // Keys reach the window from its own controls and from the full-screen panels.
    const QWidget* window = static_cast<QWidget*>(watched)->window();
    if (window != this &&
        !(window->parentWidget() == this && qobject_cast<const FullScreenPanel*>(window)))
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    return HandleKey(key->key(), key->modifiers());
}

bool MainWindow::HandleKey(int key, Qt::KeyboardModifiers modifiers) {
    const bool shift = modifiers & Qt::ShiftModifier;
    switch (key) {
    case Qt::Key_Escape:
        if (m_fullScreen->IsFullScreen())
            m_fullScreen->Leave();
        // The window is a dialog, but Esc does not end it.
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // Nor does Enter.
        return true;
    case Qt::Key_Space:
        m_playback->PlayPause();
        return true;
    case Qt::Key_Left:
        m_playback->Step(shift ? -PlaybackCommands::LongStepSeconds
                               : -PlaybackCommands::StepSeconds);
        return true;
    case Qt::Key_Right:
        m_playback->Step(shift ? PlaybackCommands::LongStepSeconds : PlaybackCommands::StepSeconds);
        return true;
    case Qt::Key_Home:
        m_playback->GoToStart();
        return true;
    case Qt::Key_End:
        m_playback->GoToEnd();
        return true;
    case Qt::Key_F:
        m_fullScreen->Toggle();
        return true;
    case Qt::Key_M:
        m_playback->ToggleMute();
        return true;
    case Qt::Key_T:
        ToggleTelemetryOverlay();
        return true;
    case Qt::Key_I:
        m_incident->MarkStart();
        return true;
    case Qt::Key_O:
        m_incident->MarkEnd();
        return true;
    case Qt::Key_N:
        m_events->StepEvent(1);
        return true;
    case Qt::Key_P:
        m_events->StepEvent(-1);
        return true;
    case Qt::Key_Period:
        m_playback->StepFrame(1);
        return true;
    case Qt::Key_Comma:
        m_playback->StepFrame(-1);
        return true;
    case Qt::Key_BracketLeft:
        m_playback->StepSpeed(-1);
        return true;
    case Qt::Key_BracketRight:
        m_playback->StepSpeed(1);
        return true;
    case Qt::Key_Question:
    case Qt::Key_F1:
        MessageBox::Tell(this, LoadLangString(StringId::KeyHelp));
        return true;
    default:
        return false;
    }
}
