#include "library/ui/FileListView.h"

#include "tests/support/DoubleClick.h"

#include <QApplication>
#include <QDateTime>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

RecordingEntry Row(const QString& name) {
    const qint64 noon = QDateTime(QDate(2026, 12, 1), QTime(12, 0)).toSecsSinceEpoch();
    return {"/card/Recordings/" + name, name, 1024, noon};
}

class FileList : public ::testing::Test {
protected:
    void SetUp() override {
        list.resize(308, 508);
        list.SetCurrentIndexSource([this] { return currentIndex; });
        list.SetRows({Row("a_NOR.AVI"), Row("b_EVT.AVI"), Row("c_MOT.MP4")});
        list.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));
    }

    void Click(QPoint at) { QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, at); }

    int currentIndex = -1;
    FileListView list;
};

TEST_F(FileList, HasFixedRowsAndNeverShowsThePath) {
    EXPECT_EQ(list.rowHeight(0), 21);
    const int widths[] = {163, 51, 54, 40};
    for (int column = 0; column < 4; ++column)
        EXPECT_EQ(list.columnWidth(column), widths[column]);
    EXPECT_TRUE(list.isColumnHidden(ColumnPath));
    EXPECT_FALSE(list.horizontalHeader()->isVisible());
    for (int row = 0; row < 3; ++row)
        EXPECT_EQ(list.ItemText(row, ColumnCheck), "0");
}

TEST_F(FileList, ClickInTheBoxTogglesAndSelectsClickElsewhereOnlySelects) {
    QSignalSpy clicks(&list, &FileListView::rowClicked);
    Click(list.CheckBoxRect(1).center());
    EXPECT_EQ(list.ItemText(1, ColumnCheck), "1");
    EXPECT_EQ(list.FirstSelectedRow(), 1);
    ASSERT_EQ(clicks.size(), 1);
    EXPECT_EQ(clicks[0][0].toInt(), 1);
    EXPECT_EQ(clicks[0][1].toInt(), ColumnCheck);

    // Inside the check cell but beside the box, then on the name: no toggle.
    Click(list.CheckBoxRect(1).topLeft() + QPoint(-2, 8));
    Click(list.visualRect(list.model()->index(1, ColumnName)).center());
    EXPECT_EQ(list.ItemText(1, ColumnCheck), "1");

    Click(list.CheckBoxRect(1).center());
    EXPECT_EQ(list.ItemText(1, ColumnCheck), "0");
}

TEST_F(FileList, BoxPartlyOutOfViewDoesNotToggle) {
    // Row 2's box starts 3 pixels below its top; cut the list off in the middle of it.
    list.resize(308, 2 * 21 + 10);
    const QRect box = list.CheckBoxRect(2);
    ASSERT_LT(box.top(), list.viewport()->height());
    ASSERT_GT(box.bottom(), list.viewport()->height());
    Click(QPoint(box.center().x(), box.top() + 2));
    EXPECT_EQ(list.ItemText(2, ColumnCheck), "0");
}

TEST_F(FileList, DrawsThePlayingRowInTheSignalColour) {
    auto signalPixelsInRow = [this](int row) {
        const QImage image = list.viewport()->grab().toImage();
        int count = 0;
        for (int y = row * 21; y < row * 21 + 21; ++y)
            for (int x = 0; x < 308; ++x)
                count += qRed(image.pixel(x, y)) > 200 && qGreen(image.pixel(x, y)) < 120;
        return count;
    };
    EXPECT_EQ(signalPixelsInRow(1), 0);
    currentIndex = 1;
    list.viewport()->update();
    EXPECT_GT(signalPixelsInRow(1), 10);
    EXPECT_EQ(signalPixelsInRow(0), 0);
    list.SelectRow(1);
    EXPECT_GT(signalPixelsInRow(1), 10);
}

// Recordings of kind Event carry a flag in the accent colour in every filter; others none.
TEST_F(FileList, FlagsTheEventRecordings) {
    list.SetRows({Row("20261201_081500_NOR.AVI"), Row("20261201_081640_EVT.MP4"),
                  Row("20261201_081820_MOT.AVI"), Row("20261201_082000_evt.avi")});
    const QImage image = list.viewport()->grab().toImage();
    const int nameRight = list.columnViewportPosition(ColumnName) + list.columnWidth(ColumnName);
    auto accentPixels = [&](int row) {
        int count = 0;
        for (int y = row * 21; y < row * 21 + 6; ++y)
            for (int x = nameRight - 6; x < nameRight; ++x)
                count += image.pixelColor(x, y) == QColor(247, 58, 8);
        return count;
    };
    EXPECT_EQ(accentPixels(0), 0);
    EXPECT_GT(accentPixels(1), 5);
    EXPECT_EQ(accentPixels(2), 0);
    EXPECT_GT(accentPixels(3), 5) << "the kind code in any case";
}

TEST_F(FileList, SelectionAndTextOperations) {
    EXPECT_EQ(list.FirstSelectedRow(), -1);
    list.SelectRow(2);
    EXPECT_EQ(list.FirstSelectedRow(), 2);
    list.DeselectAll();
    EXPECT_EQ(list.FirstSelectedRow(), -1);
    list.SelectRow(7);
    EXPECT_EQ(list.FirstSelectedRow(), -1);
    list.SetChecked(0, true);
    EXPECT_TRUE(list.IsChecked(0));
    list.SetChecked(9, true);
    EXPECT_EQ(list.ItemText(9, ColumnCheck), "");
}

TEST_F(FileList, TypedCharactersLeaveTheSelectionAlone) {
    Click(list.visualRect(list.model()->index(0, ColumnName)).center());
    for (const char* typed : {"b", "c", "2", "_"})
        QTest::keyClicks(&list, typed);
    EXPECT_EQ(list.FirstSelectedRow(), 0);
    QTest::keyClick(&list, Qt::Key_Down);
    EXPECT_EQ(list.FirstSelectedRow(), 1);
}

TEST_F(FileList, RefilledRowsStartUnchecked) {
    list.SetChecked(0, true);
    list.DeleteAllItems();
    EXPECT_EQ(list.ItemCount(), 0);
    RecordingEntry checked = Row("d_NOR.AVI");
    checked.checked = true;
    list.SetRows({checked});
    EXPECT_EQ(list.ItemText(0, ColumnCheck), "0");
}

TEST_F(FileList, DoubleClickReportsRowAndColumn) {
    QSignalSpy doubleClicks(&list, &FileListView::rowDoubleClicked);
    DoubleClick(list.viewport(), list.visualRect(list.model()->index(2, ColumnName)).center());
    ASSERT_EQ(doubleClicks.size(), 1);
    EXPECT_EQ(doubleClicks[0][0].toInt(), 2);
    EXPECT_EQ(doubleClicks[0][1].toInt(), ColumnName);
}

TEST(FileListKeys, TabWalksTheBoxesOnePressAtATimeThenMovesOn) {
    QWidget window;
    auto* list = new FileListView(&window);
    list->resize(308, 508);
    auto* next = new QPushButton(&window);
    next->move(0, 510);
    list->SetRows({Row("a_NOR.AVI"), Row("b_EVT.AVI"), Row("c_MOT.MP4")});
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    list->setFocus();
    auto tab = [list](bool shift = false) {
        QTest::keyClick(list, shift ? Qt::Key_Backtab : Qt::Key_Tab,
                        shift ? Qt::ShiftModifier : Qt::NoModifier);
    };

    tab();
    EXPECT_EQ(list->FirstSelectedRow(), 0);
    QKeyEvent held(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(list, &held);
    EXPECT_EQ(list->FirstSelectedRow(), 0);
    tab();
    tab();
    EXPECT_EQ(list->FirstSelectedRow(), 2);
    tab();
    EXPECT_TRUE(next->hasFocus());

    // A click on a box's cell makes it the starting point; Shift+Tab goes back.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->CheckBoxRect(2).topLeft() + QPoint(-2, 8));
    list->setFocus();
    tab(true);
    EXPECT_EQ(list->FirstSelectedRow(), 1);
    tab(true);
    tab(true);
    EXPECT_TRUE(next->hasFocus());
    for (int row = 0; row < 3; ++row)
        EXPECT_EQ(list->ItemText(row, ColumnCheck), "0");
}

} // namespace
