#include "skin/SkinButton.h"
#include "skin/SkinLabel.h"
#include "tests/app/CardWindowFixture.h"

#include <QAbstractSlider>

namespace {

using MainWindowTest = CardWindowFixture;

TEST_F(MainWindowTest, PlacesEveryControlOfTheWindowedLayout) {
    EXPECT_EQ(window->size(), QSize(1022, 682));
    EXPECT_EQ(window->windowTitle(), "VESKA Karvenna");
    const struct {
        int id;
        QRect rect;
    } places[] = {
        {ControlId::Settings, {150, 12, 37, 28}},
        {ControlId::Minimize, {937, 12, 36, 28}},
        {ControlId::Close, {973, 12, 37, 28}},
        {ControlId::Rotate, {575, 53, 36, 22}},
        {ControlId::Capture, {611, 53, 34, 22}},
        {ControlId::Extend, {645, 53, 36, 22}},
        {ControlId::FolderToggle, {871, 53, 36, 22}},
        {ControlId::Calendar, {907, 53, 36, 22}},
        {ControlId::Save, {940, 53, 34, 22}},
        {ControlId::Delete, {974, 53, 36, 22}},
        {ControlId::CheckAll, {963, 107, 39, 19}},
        {ControlId::KindAll, {695, 78, 81, 29}},
        {ControlId::KindNormal, {776, 78, 81, 29}},
        {ControlId::KindEvent, {857, 78, 81, 29}},
        {ControlId::KindMotion, {938, 78, 82, 29}},
        {ControlId::Rewind, {450, 475, 36, 28}},
        {ControlId::Forward, {486, 475, 37, 28}},
        {ControlId::PlayPause, {535, 475, 37, 28}},
        {ControlId::Previous, {584, 475, 36, 28}},
        {ControlId::Next, {620, 475, 37, 28}},
        {ControlId::MapEnlarge, {937, 639, 36, 22}},
        {ControlId::MapClose, {973, 639, 37, 22}},
        {ControlId::Mute, {451, 581, 22, 16}},
        {ControlId::PositionSlider, {30, 474, 391, 20}},
        {ControlId::SpeedSlider, {477, 544, 179, 15}},
        {ControlId::VolumeSlider, {477, 582, 179, 15}},
        {ControlId::BrightnessSlider, {477, 620, 179, 15}},
        {ControlId::ElapsedTime, {40, 494, 50, 13}},
        {ControlId::TotalTime, {364, 494, 50, 13}},
        {ControlId::FileName, {265, 59, 180, 13}},
        {ControlId::FileList, {695, 126, 308, 508}},
        {ControlId::VideoWindow, {3, 78, 688, 387}},
    };
    for (const auto& place : places) {
        QWidget* control = Control(place.id);
        EXPECT_EQ(control->geometry(), place.rect) << place.id;
        EXPECT_TRUE(control->isVisible()) << place.id;
    }
}

TEST_F(MainWindowTest, GivesButtonsTheirTooltipsAndTextsTheirStart) {
    const struct {
        int id;
        const char* tip;
    } tips[] = {{ControlId::Settings, "Settings"}, {ControlId::Minimize, "Minimize"},
                {ControlId::Close, "Close"},       {ControlId::PlayPause, "Play"},
                {ControlId::Previous, "Prev"},     {ControlId::Next, "Next"},
                {ControlId::Mute, "Volume"},       {ControlId::MapClose, "Map Close"},
                {ControlId::CheckAll, "Delete"},   {ControlId::KindAll, "A"},
                {ControlId::MapEnlarge, ""}};
    for (const auto& tip : tips)
        EXPECT_EQ(Control(tip.id)->toolTip(), tip.tip) << tip.id;
    EXPECT_EQ(Control<SkinLabel>(ControlId::ElapsedTime)->text(), "00:00:00");
    EXPECT_EQ(Control<SkinLabel>(ControlId::TotalTime)->text(), "00:00:00");
    EXPECT_EQ(Control<SkinLabel>(ControlId::FileName)->text(), "");
    const struct {
        int id, minimum, maximum, value;
    } sliders[] = {{ControlId::SpeedSlider, 1, 9, 5},
                   {ControlId::VolumeSlider, 0, 99, 50},
                   {ControlId::BrightnessSlider, -150, 150, 0}};
    for (const auto& s : sliders) {
        auto* slider = Control<QAbstractSlider>(s.id);
        EXPECT_EQ(slider->minimum(), s.minimum) << s.id;
        EXPECT_EQ(slider->maximum(), s.maximum) << s.id;
        EXPECT_EQ(slider->value(), s.value) << s.id;
    }
}

TEST_F(MainWindowTest, ListsTheCardGivenOnTheCommandLine) {
    auto* list = Control<FileListView>(ControlId::FileList);
    EXPECT_EQ(window->LibraryRoot(), CardRoot());
    EXPECT_EQ(list->ItemCount(), 6);
    EXPECT_TRUE(Control<SkinButton>(ControlId::KindAll)->isChecked());
}

TEST_F(MainWindowTest, EnterAndEscapeNeverCloseTheWindow) {
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
        QTest::keyClick(window.get(), key);
        QTest::keyClick(Control(ControlId::FileList), key);
    }
    EXPECT_TRUE(window->isVisible());
}

TEST_F(MainWindowTest, CloseButtonEndsTheWindow) {
    QTest::mouseClick(Control(ControlId::Close), Qt::LeftButton);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(MainWindowTest, LetsGoOfTheCardOnlyWhenItsDriveIsRemoved) {
    auto* list = Control<FileListView>(ControlId::FileList);
    window->OnDriveRemoved("/media/other/");
    window->OnDriveRemoved(CardRoot().toUpper());
    EXPECT_EQ(list->ItemCount(), 6);
    EXPECT_EQ(window->LibraryRoot(), CardRoot());

    Control<SkinLabel>(ControlId::FileName)->setText("20261201_081500_NOR.AVI");
    Control<QAbstractSlider>(ControlId::SpeedSlider)->setValue(8);
    window->OnDriveRemoved(CardRoot());
    EXPECT_EQ(list->ItemCount(), 0);
    EXPECT_TRUE(window->LibraryRoot().isEmpty());
    for (int kind = ControlId::KindAll; kind <= ControlId::KindMotion; ++kind)
        EXPECT_FALSE(Control<SkinButton>(kind)->isChecked()) << kind;
    EXPECT_EQ(Control<SkinLabel>(ControlId::FileName)->text(), "");
    EXPECT_EQ(Control<SkinLabel>(ControlId::ElapsedTime)->text(), "00:00:00");
    EXPECT_EQ(Control<QAbstractSlider>(ControlId::SpeedSlider)->value(), 5);
    EXPECT_FALSE(Control(ControlId::VideoWindow)->isVisible());
    EXPECT_EQ(window->CurrentIndex(), -1);
}

} // namespace
