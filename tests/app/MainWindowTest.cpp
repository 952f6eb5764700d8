#include "app/CVeskaPlayerDlg.h"
#include "library/FakeDriveProvider.h"
#include "library/ui/CConfigListCtrl.h"
#include "skin/CNblSkinButton.h"
#include "skin/CNblStaticTrans.h"

#include <QAbstractSlider>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QString TestCard() {
    return qEnvironmentVariable("KARVENNA_TEST_CARD") + '/';
}

class MainWindow : public ::testing::Test {
protected:
    void SetUp() override {
        window = std::make_unique<CVeskaPlayerDlg>(TestCard(), &drives);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        // The drive scan is posted at the end of start-up.
        QTest::qWait(50);
    }

    template <typename T = QWidget> T* Control(int id) const {
        return window->findChild<T*>(QString::number(id));
    }

    FakeDriveProvider drives;
    std::unique_ptr<CVeskaPlayerDlg> window;
};

TEST_F(MainWindow, PlacesEveryControlOfTheWindowedLayout) {
    EXPECT_EQ(window->size(), QSize(1022, 682));
    EXPECT_EQ(window->windowTitle(), "VESKA Karvenna");
    const struct {
        int id;
        QRect rect;
    } places[] = {
        {1002, {150, 12, 37, 28}},    {1000, {937, 12, 36, 28}},   {1001, {973, 12, 37, 28}},
        {1006, {575, 53, 36, 22}},    {1007, {611, 53, 34, 22}},   {1008, {645, 53, 36, 22}},
        {1092, {871, 53, 36, 22}},    {1003, {907, 53, 36, 22}},   {1004, {940, 53, 34, 22}},
        {1005, {974, 53, 36, 22}},    {1093, {963, 107, 39, 19}},  {1009, {695, 78, 81, 29}},
        {1010, {776, 78, 81, 29}},    {1011, {857, 78, 81, 29}},   {1012, {938, 78, 82, 29}},
        {1013, {450, 475, 36, 28}},   {1014, {486, 475, 37, 28}},  {1015, {535, 475, 37, 28}},
        {1016, {584, 475, 36, 28}},   {1017, {620, 475, 37, 28}},  {1018, {937, 639, 36, 22}},
        {1019, {973, 639, 37, 22}},   {1026, {451, 581, 22, 16}},  {1020, {30, 474, 391, 20}},
        {1021, {477, 544, 179, 15}},  {1022, {477, 582, 179, 15}}, {1023, {477, 620, 179, 15}},
        {1025, {40, 494, 50, 13}},    {1024, {364, 494, 50, 13}},  {1069, {265, 59, 180, 13}},
        {1029, {695, 126, 308, 508}}, {0xFFFF, {3, 78, 688, 387}},
    };
    for (const auto& place : places) {
        QWidget* control = Control(place.id);
        ASSERT_NE(control, nullptr) << place.id;
        EXPECT_EQ(control->geometry(), place.rect) << place.id;
        EXPECT_TRUE(control->isVisible()) << place.id;
    }
}

TEST_F(MainWindow, GivesButtonsTheirTooltipsAndTextsTheirStart) {
    const struct {
        int id;
        const char* tip;
    } tips[] = {{1002, "Settings"}, {1000, "Minimize"}, {1001, "Close"},  {1015, "Play"},
                {1016, "Prev"},     {1017, "Next"},     {1026, "Volume"}, {1019, "Map Close"},
                {1093, "Delete"},   {1009, "A"},        {1018, ""}};
    for (const auto& tip : tips)
        EXPECT_EQ(Control(tip.id)->toolTip(), tip.tip) << tip.id;
    EXPECT_EQ(Control<CNblStaticTrans>(1025)->text(), "00:00:00");
    EXPECT_EQ(Control<CNblStaticTrans>(1024)->text(), "00:00:00");
    EXPECT_EQ(Control<CNblStaticTrans>(1069)->text(), "");
    const struct {
        int id, minimum, maximum, value;
    } sliders[] = {{1021, 1, 9, 5}, {1022, 0, 99, 50}, {1023, -150, 150, 0}};
    for (const auto& s : sliders) {
        auto* slider = Control<QAbstractSlider>(s.id);
        EXPECT_EQ(slider->minimum(), s.minimum) << s.id;
        EXPECT_EQ(slider->maximum(), s.maximum) << s.id;
        EXPECT_EQ(slider->value(), s.value) << s.id;
    }
}

TEST_F(MainWindow, ListsTheCardGivenOnTheCommandLine) {
    auto* list = Control<CConfigListCtrl>(1029);
    EXPECT_EQ(window->LibraryRoot(), TestCard());
    EXPECT_EQ(list->ItemCount(), 6);
    EXPECT_TRUE(Control<CNblSkinButton>(1009)->isChecked());
}

TEST_F(MainWindow, EnterAndEscapeNeverCloseTheWindow) {
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
        QTest::keyClick(window.get(), key);
        QTest::keyClick(Control(1029), key);
    }
    EXPECT_TRUE(window->isVisible());
}

TEST_F(MainWindow, CloseButtonEndsTheWindow) {
    QTest::mouseClick(Control(1001), Qt::LeftButton);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(MainWindow, LetsGoOfTheCardOnlyWhenItsDriveIsRemoved) {
    auto* list = Control<CConfigListCtrl>(1029);
    window->OnDriveRemoved("/media/other/");
    window->OnDriveRemoved(TestCard().toUpper());
    EXPECT_EQ(list->ItemCount(), 6);
    EXPECT_EQ(window->LibraryRoot(), TestCard());

    Control<CNblStaticTrans>(1069)->setText("20261201_081500_NOR.AVI");
    Control<QAbstractSlider>(1021)->setValue(8);
    window->OnDriveRemoved(TestCard());
    EXPECT_EQ(list->ItemCount(), 0);
    EXPECT_TRUE(window->LibraryRoot().isEmpty());
    for (int kind = 1009; kind <= 1012; ++kind)
        EXPECT_FALSE(Control<CNblSkinButton>(kind)->isChecked()) << kind;
    EXPECT_EQ(Control<CNblStaticTrans>(1069)->text(), "");
    EXPECT_EQ(Control<CNblStaticTrans>(1025)->text(), "00:00:00");
    EXPECT_EQ(Control<QAbstractSlider>(1021)->value(), 5);
    EXPECT_FALSE(Control(0xFFFF)->isVisible());
    EXPECT_EQ(window->CurrentIndex(), -1);
}

} // namespace
