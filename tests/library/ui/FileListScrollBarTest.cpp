#include "library/ui/FileListScrollBar.h"

#include "library/ui/FileListView.h"

#include <QScrollBar>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

namespace {

// A 508-pixel list shows 24 rows of 21 pixels; its bar is 528 pixels tall.
constexpr int RowsInView = 24;
constexpr int BarHeight = 528;

QList<RecordingEntry> Rows(int count) {
    QList<RecordingEntry> rows;
    for (int i = 0; i < count; ++i) {
        const QString name = QString("20261201_%1_NOR.AVI").arg(i, 6, 10, QChar('0'));
        rows.append({"/card/Recordings/" + name, name, 1024, 0});
    }
    return rows;
}

class ScrollBar : public ::testing::Test {
public:
    void SetUp() override {
        window.resize(400, 640);
        list->setGeometry(10, 40, 308, 508);
        list->CreateScrollBar();
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    void Fill(int rows) {
        list->SetRows(Rows(rows));
        // The list takes in its new rows on its next pass through the event loop.
        QTest::qWait(0);
        QCoreApplication::processEvents();
    }
    FileListScrollBar* Bar() const { return list->ScrollBar(); }
    int FirstRow() const { return list->verticalScrollBar()->value(); }
    void ScrollTo(int row) { list->verticalScrollBar()->setValue(row); }
    QPoint DownArrow() const { return {9, BarHeight - 8}; }
    QPoint UpArrow() const { return {9, 8}; }
    QPoint ThumbCentre() const { return {8, Bar()->ThumbTop() + Bar()->ThumbHeight() / 2}; }
    void Press(QPoint at) { QTest::mousePress(Bar(), Qt::LeftButton, {}, at); }
    void Release(QPoint at) { QTest::mouseRelease(Bar(), Qt::LeftButton, {}, at); }
    void Click(QPoint at) {
        Press(at);
        Release(at);
    }

    QWidget window;
    FileListView* list = new FileListView(&window);
};

TEST_F(ScrollBar, StandsBesideTheListAndHidesWhileEveryRowFits) {
    EXPECT_EQ(Bar()->geometry(), QRect(10 + 308 - 1, 40 - 19, 18, 508 + 20));
    Fill(RowsInView);
    EXPECT_FALSE(Bar()->isVisible());
    Fill(RowsInView + 1);
    EXPECT_TRUE(Bar()->isVisible());
    list->hide();
    EXPECT_FALSE(Bar()->isVisible());
    list->show();
    EXPECT_TRUE(Bar()->isVisible());
    list->move(20, 60);
    EXPECT_EQ(Bar()->geometry().topLeft(), QPoint(20 + 308 - 1, 60 - 19));
}

TEST_F(ScrollBar, ThumbShowsTheShareInViewAndStaysBetweenTheArrows) {
    const struct {
        int rows, firstRow, height, top;
    } cases[] = {
        // Thumb height = 24 / rows of the 496-pixel track; its top travels over the rest.
        {100, 0, 119, 16},
        {100, 76, 119, BarHeight - 16 - 119},
        {100, 38, 119, 16 + int(double(496 - 119) / 76 * 38)},
        // Never shorter than 20 pixels.
        {5000, 0, 20, 16},
        {5000, 5000 - RowsInView, 20, BarHeight - 16 - 20},
    };
    for (const auto& c : cases) {
        Fill(c.rows);
        ScrollTo(c.firstRow);
        EXPECT_EQ(Bar()->ThumbHeight(), c.height) << c.rows << " " << c.firstRow;
        EXPECT_EQ(Bar()->ThumbTop(), c.top) << c.rows << " " << c.firstRow;
    }
}

TEST_F(ScrollBar, ArrowsStepAndTheTrackPages) {
    const struct {
        const char* what;
        int firstRow;
        std::function<void(ScrollBar*)> act;
        int expected;
    } cases[] = {
        {"down arrow", 0, [](ScrollBar* t) { t->Click(t->DownArrow()); }, 1},
        {"up arrow", 5, [](ScrollBar* t) { t->Click(t->UpArrow()); }, 4},
        {"up arrow at the top", 0, [](ScrollBar* t) { t->Click(t->UpArrow()); }, 0},
        {"track below the thumb", 0,
         [](ScrollBar* t) {
             t->Click({8, 400});
         },
         RowsInView},
        {"track above the thumb", 50,
         [](ScrollBar* t) {
             t->Click({8, 30});
         },
         50 - RowsInView},
        {"pressed on an arrow, let go over the track", 0,
         [](ScrollBar* t) {
             t->Press(t->DownArrow());
             t->Release({8, 400});
         },
         RowsInView},
        {"thumb dragged to the bottom", 0,
         [](ScrollBar* t) {
             t->Press(t->ThumbCentre());
             QTest::mouseMove(t->Bar(), {8, 300});
             QTest::mouseMove(t->Bar(), {8, BarHeight + 40});
             t->Release({8, BarHeight + 40});
         },
         100 - RowsInView},
        {"thumb dragged back to the top", 76,
         [](ScrollBar* t) {
             t->Press(t->ThumbCentre());
             QTest::mouseMove(t->Bar(), {8, -30});
             t->Release({8, -30});
         },
         0},
    };
    Fill(100);
    for (const auto& c : cases) {
        ScrollTo(c.firstRow);
        c.act(this);
        EXPECT_EQ(FirstRow(), c.expected) << c.what;
    }
    // The last page is in view after the drag to the bottom.
    ScrollTo(0);
    cases[6].act(this);
    EXPECT_TRUE(list->viewport()->rect().contains(list->visualRect(list->model()->index(99, 0))));
    EXPECT_EQ(Bar()->ThumbTop() + Bar()->ThumbHeight(), BarHeight - 16);
}

TEST_F(ScrollBar, HoldingAnArrowRepeatsUntilReleasedThenStepsOnceMore) {
    Fill(100);
    Press(DownArrow());
    EXPECT_EQ(FirstRow(), 0); // nothing before the release or the delay
    ASSERT_TRUE(QTest::qWaitFor([this] { return FirstRow() >= 3; }, 5000));
    const int held = FirstRow();
    Release(DownArrow());
    EXPECT_GT(FirstRow(), held);
    const int released = FirstRow();
    QTest::qWait(3 * FileListScrollBar::RepeatMs);
    EXPECT_EQ(FirstRow(), released);
}

} // namespace
