#include "app/MainWindowLayout.h"
#include "app/fullscreen/FullScreenLayout.h"
#include "skin/SkinButton.h"
#include "skin/SkinLabel.h"
#include "skin/SkinSlider.h"
#include "telemetry/display/SpeedReadout.h"
#include "telemetry/ui/GSensorGraphView.h"
#include "telemetry/ui/TelemetryOverlay.h"
#include "tests/app/CardWindowFixture.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTimer>

namespace {

// The screens come from screens.json beside this file, given to the offscreen platform.
QScreen* ScreenOfSize(QSize size) {
    for (QScreen* screen : QGuiApplication::screens())
        if (screen->geometry().size() == size)
            return screen;
    throw std::runtime_error("no offscreen screen of that size; is screens.json in use?");
}

class FullScreen : public CardWindowFixture {
protected:
    template <typename T = QWidget> T* PanelControl(int panel, int id) const {
        return FindControl<T>(Control(panel), id);
    }
    FileListView* PanelList() const {
        return PanelControl<FileListView>(PanelId::FileListPanel, FileListPanelId::List);
    }
    QWidget* ControlBar() const { return Control(PanelId::ControlBar); }
    QWidget* TitleBar() const { return Control(PanelId::TitleBar); }
    QWidget* FileListPanel() const { return Control(PanelId::FileListPanel); }
    void Click(QWidget* control) { QTest::mouseClick(control, Qt::LeftButton); }
    void EnterOn(QSize screen) {
        window->setScreen(ScreenOfSize(screen));
        Click(Control(ControlId::Extend));
        ASSERT_EQ(window->DisplayMode(), MainWindowLayout::FullScreen);
        ASSERT_TRUE(QTest::qWaitFor([&] { return window->size() == screen; }));
    }
    void PointerAt(int y) { QTest::mouseMove(window.get(), QPoint(window->width() / 2, y)); }
};

TEST_F(FullScreen, FitsTheVideoAt16To9AndLeavesTheBottomBarInTheWindow) {
    const struct {
        QSize screen;
        QRect video;
    } cases[] = {
        {{1920, 1080}, {0, 0, 1920, 1080}},
        {{1280, 1024}, {0, 152, 1280, 720}},
        {{1024, 540}, {32, 0, 960, 540}},
        {{3440, 1440}, {440, 0, 2560, 1440}},
    };
    for (const auto& c : cases) {
        EnterOn(c.screen);
        const int w = c.screen.width();
        const int h = c.screen.height();
        EXPECT_EQ(window->geometry(), ScreenOfSize(c.screen)->geometry());
        EXPECT_EQ(Control(ControlId::VideoWindow)->geometry(), c.video) << w;
        const struct {
            int id;
            QRect rect;
        } bottomBar[] = {
            {ControlId::Settings, {w - 94, h - 36, 37, 28}},
            {ControlId::Extend, {w - 56, 7, 36, 22}},
            {ControlId::PlayPause, {w - 465, h - 36, 37, 28}},
            {ControlId::Mute, {w - 319, h - 32, 22, 16}},
            {ControlId::PositionSlider, {20, h - 39, w - 599, 20}},
            {ControlId::VolumeSlider, {w - 291, h - 31, 181, 15}},
        };
        for (const auto& place : bottomBar) {
            EXPECT_EQ(Control(place.id)->geometry(), place.rect) << w << " " << place.id;
            EXPECT_TRUE(Control(place.id)->isVisible()) << w << " " << place.id;
        }
        for (int hidden : {ControlId::FileList, ControlId::KindAll, ControlId::SpeedSlider,
                           ControlId::FileName, ControlId::Close})
            EXPECT_FALSE(Control(hidden)->isVisible()) << w << " " << hidden;
        for (QWidget* panel : {ControlBar(), TitleBar(), FileListPanel()})
            EXPECT_FALSE(panel->isVisible()) << w;

        QTest::keyClick(window.get(), Qt::Key_Escape);
        EXPECT_EQ(window->DisplayMode(), MainWindowLayout::Windowed);
        EXPECT_EQ(window->size(), QSize(1022, 682));
        EXPECT_EQ(Control(ControlId::VideoWindow)->geometry(), QRect(3, 78, 688, 387));
        EXPECT_TRUE(Control(ControlId::FileList)->isVisible());
        EXPECT_TRUE(Control(ControlId::KindAll)->isVisible());
    }
}

TEST_F(FullScreen, TheProgramRunsOnInFullScreen) {
    // The program runs the window as a dialog, which ends when it is hidden.
    bool runningFullScreen = false;
    QTimer::singleShot(0, [&] {
        EnterOn({1920, 1080});
        QTimer::singleShot(0, [&] {
            runningFullScreen =
                window->DisplayMode() == MainWindowLayout::FullScreen && window->isVisible();
            window->Close();
        });
    });
    window->exec();
    EXPECT_TRUE(runningFullScreen);
}

TEST_F(FullScreen, BandsAtTheEdgesShowTheBarsAndTheVideoHidesThem) {
    EnterOn({1920, 1080});
    const struct {
        int y;
        bool inBand;
    } moves[] = {{500, false},  {39, true},   {40, false}, {1036, true},
                 {1035, false}, {1079, true}, {0, true},   {540, false}};
    for (const auto& move : moves) {
        PointerAt(move.y);
        EXPECT_EQ(window->PointerZone(), move.inBand ? 21 : 22) << move.y;
        EXPECT_EQ(ControlBar()->isVisible(), move.inBand) << move.y;
        EXPECT_EQ(TitleBar()->isVisible(), move.inBand) << move.y;
        // The window's own controls are gone; its mode button only waits under the title bar.
        EXPECT_FALSE(Control(ControlId::PlayPause)->isVisible()) << move.y;
        EXPECT_EQ(Control(ControlId::Extend)->isVisible(), move.inBand) << move.y;
    }
    PointerAt(1050);
    EXPECT_EQ(ControlBar()->geometry(), QRect(0, 1036, 1920, 44));
    EXPECT_EQ(TitleBar()->geometry(), QRect(0, 0, 1920, 40));
    const struct {
        int id;
        QRect rect;
    } barPlaces[] = {
        {ControlBarId::Settings, {1827, 8, 36, 28}},
        {ControlBarId::FileListToggle, {1863, 8, 37, 28}},
        {ControlBarId::PlayPause, {1455, 8, 37, 28}},
        {ControlBarId::Mute, {1601, 12, 22, 16}},
        {ControlBarId::Position, {20, 5, 1321, 20}},
        {ControlBarId::Volume, {1629, 13, 181, 15}},
        {ControlBarId::ElapsedTime, {20, 25, 50, 13}},
        {ControlBarId::TotalTime, {1292, 25, 50, 13}},
    };
    for (const auto& place : barPlaces)
        EXPECT_EQ(PanelControl(PanelId::ControlBar, place.id)->geometry(), place.rect) << place.id;
    EXPECT_EQ(PanelControl(PanelId::TitleBar, TitleBarId::Leave)->geometry(),
              QRect(1864, 7, 37, 28));

    // The file-list panel opens over the bar's right end and goes with the bars.
    auto* toggle = PanelControl<SkinButton>(PanelId::ControlBar, ControlBarId::FileListToggle);
    Click(toggle);
    EXPECT_TRUE(FileListPanel()->isVisible());
    EXPECT_EQ(FileListPanel()->geometry(), QRect(1594, 449, 326, 587));
    Click(toggle);
    EXPECT_FALSE(FileListPanel()->isVisible());
    Click(toggle);
    PointerAt(700);
    EXPECT_FALSE(FileListPanel()->isVisible());
    EXPECT_FALSE(toggle->isChecked());
}

TEST_F(FullScreen, TheRememberedZoneOutlivesLeavingAndComingBack) {
    EnterOn({1920, 1080});
    PointerAt(500);
    QTest::keyClick(window.get(), Qt::Key_Escape);
    EnterOn({1920, 1080});
    // Still "elsewhere": the window's own bottom bar stays until a band is visited and left.
    PointerAt(600);
    EXPECT_TRUE(Control(ControlId::PlayPause)->isVisible());
    PointerAt(10);
    PointerAt(600);
    EXPECT_FALSE(Control(ControlId::PlayPause)->isVisible());
}

TEST_F(FullScreen, TheTitleBarsButtonAndEscLeaveWithEveryPanel) {
    EnterOn({1280, 1024});
    PointerAt(5);
    Click(PanelControl(PanelId::ControlBar, ControlBarId::FileListToggle));
    ASSERT_TRUE(FileListPanel()->isVisible());
    Click(PanelControl(PanelId::TitleBar, TitleBarId::Leave));
    EXPECT_EQ(window->DisplayMode(), MainWindowLayout::Windowed);
    EXPECT_EQ(window->size(), QSize(1022, 682));
    for (QWidget* panel : {ControlBar(), TitleBar(), FileListPanel()})
        EXPECT_FALSE(panel->isVisible());
    EXPECT_FALSE(
        PanelControl<SkinButton>(PanelId::ControlBar, ControlBarId::FileListToggle)->isChecked());

    // Esc from a control of a panel leaves too.
    EnterOn({1280, 1024});
    PointerAt(1000);
    QTest::keyClick(PanelControl(PanelId::ControlBar, ControlBarId::PlayPause), Qt::Key_Escape);
    EXPECT_EQ(window->DisplayMode(), MainWindowLayout::Windowed);
}

TEST_F(FullScreen, TheTelemetryOverlayShowsOverTheVideoWhileWanted) {
    DoubleClickRow(0);
    ASSERT_TRUE(QTest::qWaitFor([this] { return window->Telemetry().FixCount() > 0; }));
    Click(Control(ControlId::PlayPause));
    auto* overlay = window->findChild<TelemetryOverlay*>();
    auto* button = PanelControl<SkinButton>(PanelId::TitleBar, TitleBarId::TelemetryOverlay);
    QTest::keyClick(window.get(), Qt::Key_T);
    EXPECT_FALSE(overlay->isVisible()) << "only in full screen";

    EnterOn({1280, 1024});
    ASSERT_TRUE(overlay->isVisible());
    EXPECT_TRUE(button->isChecked());
    const QRect video = Control(ControlId::VideoWindow)->geometry();
    EXPECT_TRUE(video.contains(overlay->geometry())) << "over the video";
    EXPECT_GE(overlay->y(), FullScreenLayout::TitleBarHeight) << "clear of the title bar";
    EXPECT_GT(window->children().indexOf(overlay),
              window->children().indexOf(Control(ControlId::VideoWindow)));
    EXPECT_TRUE(overlay->ShowsTrack());
    emit window->findChild<GSensorGraphView*>()->seekRequested(700);
    const RecordingTelemetry& telemetry = window->Telemetry();
    EXPECT_EQ(overlay->SpeedText(),
              QString::number(*SpeedReadout::SpeedAt(telemetry, quint32(700))));
    EXPECT_GT(overlay->CursorX(), 0);
    EXPECT_TRUE(overlay->Marker().has_value());

    // The wish outlives leaving full screen; the title bar's button takes it back.
    QTest::keyClick(window.get(), Qt::Key_Escape);
    EXPECT_FALSE(overlay->isVisible());
    EnterOn({1280, 1024});
    EXPECT_TRUE(overlay->isVisible());
    PointerAt(5);
    Click(button);
    EXPECT_FALSE(overlay->isVisible());
    EXPECT_FALSE(button->isChecked());
}

TEST_F(FullScreen, MuteAndVolumeAgreeOnBothBars) {
    auto* mute = Control<SkinButton>(ControlId::Mute);
    auto* volume = Control<SkinSlider>(ControlId::VolumeSlider);
    auto* barMute = PanelControl<SkinButton>(PanelId::ControlBar, ControlBarId::Mute);
    auto* barVolume = PanelControl<SkinSlider>(PanelId::ControlBar, ControlBarId::Volume);
    EXPECT_EQ(barVolume->maximum(), volume->maximum());

    Click(mute);
    EXPECT_TRUE(barMute->GetCheck());
    EnterOn({1920, 1080});
    PointerAt(1060);
    Click(barMute);
    EXPECT_FALSE(mute->GetCheck());
    EXPECT_FALSE(barMute->GetCheck());

    // Dragging the bar's volume to 0 mutes both; above 0 unmutes both and moves the window's.
    barVolume->setValue(0);
    emit barVolume->hScroll(ControlBarId::Volume, SliderCode::Dragging, 0);
    EXPECT_TRUE(mute->GetCheck());
    EXPECT_TRUE(barMute->GetCheck());
    EXPECT_EQ(volume->value(), 0);
    barVolume->setValue(70);
    emit barVolume->hScroll(ControlBarId::Volume, SliderCode::Dragging, 70);
    EXPECT_FALSE(mute->GetCheck());
    EXPECT_FALSE(barMute->GetCheck());
    EXPECT_EQ(volume->value(), 70);

    // Muting on the bar and unmuting there brings the bar's volume back to the window's slider.
    Click(barMute);
    EXPECT_TRUE(mute->GetCheck());
    barVolume->setValue(40);
    Click(barMute);
    EXPECT_FALSE(mute->GetCheck());
    EXPECT_EQ(volume->value(), 40);

    // And the window's slider moves the bar's.
    volume->setValue(0);
    emit volume->hScroll(ControlId::VolumeSlider, SliderCode::Dragging, 0);
    EXPECT_EQ(barVolume->value(), 0);
    EXPECT_TRUE(barMute->GetCheck());
}

TEST_F(FullScreen, ThePanelListPlaysAndSelectsInTheWindowsList) {
    EnterOn({1920, 1080});
    PointerAt(1060);
    Click(PanelControl(PanelId::ControlBar, ControlBarId::FileListToggle));
    ASSERT_EQ(PanelList()->ItemCount(), 6);
    for (int row = 0; row < 6; ++row)
        EXPECT_EQ(PanelList()->ItemText(row, ColumnPath), List()->ItemText(row, ColumnPath));

    DoubleClick(PanelList()->viewport(),
                PanelList()->visualRect(PanelList()->model()->index(4, 0)).center());
    EXPECT_EQ(window->CurrentIndex(), 4);
    EXPECT_EQ(window->Player().State(), PlaybackGraph::Running);
    EXPECT_EQ(List()->FirstSelectedRow(), 4);
    EXPECT_EQ(PanelControl<SkinLabel>(PanelId::TitleBar, TitleBarId::FileName)->text(),
              List()->ItemText(4, ColumnName));
    EXPECT_EQ(PanelControl(PanelId::ControlBar, ControlBarId::PlayPause)->toolTip(), "Pause");
    EXPECT_EQ(PanelControl<SkinLabel>(PanelId::ControlBar, ControlBarId::TotalTime)->text(),
              "00:00:03");
    EXPECT_EQ(PanelControl<SkinSlider>(PanelId::ControlBar, ControlBarId::Position)->maximum(),
              Control<SkinSlider>(ControlId::PositionSlider)->maximum());

    // The bar's play button pauses; its Next plays the next row in both lists.
    Click(PanelControl(PanelId::ControlBar, ControlBarId::PlayPause));
    EXPECT_EQ(window->Player().State(), PlaybackGraph::Paused);
    EXPECT_EQ(Control(ControlId::PlayPause)->toolTip(), "Play");
    Click(PanelControl(PanelId::ControlBar, ControlBarId::Next));
    EXPECT_EQ(window->CurrentIndex(), 5);
    EXPECT_EQ(PanelList()->FirstSelectedRow(), 5);
    // Past the last row playback stops, and the bars say so.
    Click(PanelControl(PanelId::ControlBar, ControlBarId::Next));
    EXPECT_EQ(window->CurrentIndex(), -1);
    EXPECT_EQ(PanelControl<SkinLabel>(PanelId::TitleBar, TitleBarId::FileName)->text(), "");
    EXPECT_EQ(PanelControl<SkinLabel>(PanelId::ControlBar, ControlBarId::TotalTime)->text(),
              "00:00:00");
    EXPECT_EQ(PanelControl(PanelId::ControlBar, ControlBarId::PlayPause)->toolTip(), "Play");

    // A click on a box marks the row in the window's list too.
    QTest::mouseClick(PanelList()->viewport(), Qt::LeftButton, {},
                      PanelList()->CheckBoxRect(1).center());
    EXPECT_TRUE(List()->IsChecked(1));
    EXPECT_EQ(List()->FirstSelectedRow(), 1);
}

TEST_F(FullScreen, ThePanelsButtonsRunTheWindowsCommands) {
    EnterOn({1920, 1080});
    PointerAt(1060);
    Click(PanelControl(PanelId::ControlBar, ControlBarId::FileListToggle));
    auto* panelEvent = PanelControl<SkinButton>(PanelId::FileListPanel, FileListPanelId::KindEvent);
    Click(panelEvent);
    EXPECT_EQ(List()->ItemCount(), 2);
    EXPECT_EQ(PanelList()->ItemCount(), 2);
    EXPECT_TRUE(Control<SkinButton>(ControlId::KindEvent)->isChecked());
    EXPECT_TRUE(panelEvent->isChecked());
    EXPECT_FALSE(
        PanelControl<SkinButton>(PanelId::FileListPanel, FileListPanelId::KindAll)->isChecked());
    // Clicking the checked kind again keeps it checked, as in the window.
    Click(panelEvent);
    EXPECT_TRUE(panelEvent->isChecked());

    auto* panelCheckAll =
        PanelControl<SkinButton>(PanelId::FileListPanel, FileListPanelId::CheckAll);
    Click(panelCheckAll);
    EXPECT_TRUE(Control<SkinButton>(ControlId::CheckAll)->isChecked());
    EXPECT_TRUE(List()->IsChecked(0) && List()->IsChecked(1));
}

TEST_F(FullScreen, RemovingTheCardEndsFullScreen) {
    EnterOn({1920, 1080});
    PointerAt(1060);
    window->OnDriveRemoved(window->LibraryRoot());
    EXPECT_EQ(window->DisplayMode(), MainWindowLayout::Windowed);
    EXPECT_EQ(window->size(), QSize(1022, 682));
    EXPECT_FALSE(ControlBar()->isVisible());
    EXPECT_EQ(PanelList()->ItemCount(), 0);
    EXPECT_FALSE(
        PanelControl<SkinButton>(PanelId::FileListPanel, FileListPanelId::KindAll)->isChecked());
}

} // namespace
