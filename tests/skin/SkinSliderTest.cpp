#include "skin/SkinSlider.h"

#include "skin/SkinBitmaps.h"
#include "tests/skin/SkinTestSupport.h"

#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>

namespace {

// The volume thumb is 11 pixels wide: a slider 211 wide has a track of 200 (W - thumbWidth).
constexpr int ThumbWidth = 11;
constexpr int Track = 200;
constexpr int Height = 15;

struct Notice {
    int code;
    int position;
    bool operator==(const Notice&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Notice& notice) {
    return out << "{code " << notice.code << ", position " << notice.position << "}";
}

class ImageSliderTest : public ::testing::Test {
protected:
    void SetUp() override {
        owner.resize(400, 100);
        slider = new SkinSlider(&owner, 1022, {10, 10, Track + ThumbWidth, Height});
        slider->SetImages(SliderLook::Volume);
        owner.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&owner));
        QObject::connect(slider, &SkinSlider::hScroll, [this](int id, int code, int position) {
            EXPECT_EQ(id, 1022);
            notices.append({code, position});
        });
    }

    // Notices are posted: they arrive once the event loop runs.
    QList<Notice> Delivered() {
        QCoreApplication::processEvents();
        return std::exchange(notices, {});
    }

    QWidget owner;
    SkinSlider* slider = nullptr;
    QList<Notice> notices;
};

TEST_F(ImageSliderTest, PlacesTheThumbByPosition) {
    struct Case {
        int min, max, position, thumbLeft;
    };
    const Case cases[] = {
        {0, 100, 50, 100},   {0, 100, 0, 0}, {0, 100, 100, 200},
        {-150, 150, 0, 100}, {0, 9, 4, 88},  {5, 5, 5, 0}, // an empty range rests at the left
    };
    for (const Case& c : cases) {
        slider->setRange(c.min, c.max);
        slider->setValue(c.position);
        EXPECT_EQ(slider->ThumbLeft(), c.thumbLeft)
            << c.min << ".." << c.max << " @ " << c.position;
    }
    // And it is drawn there: the thumb's rim is dark where the channel is light, and so on.
    slider->setRange(0, 100);
    slider->setValue(50);
    const QImage shown = Shown(*slider);
    const QImage thumb = SkinBitmap(SliderLook::Volume.thumb).toImage();
    const QPoint centre(ThumbWidth / 2, Height / 2);
    EXPECT_EQ(shown.pixelColor(QPoint(100, 0) + centre), thumb.pixelColor(centre));
}

TEST_F(ImageSliderTest, TakesThePositionFromThePointer) {
    struct Case {
        int x, position;
    };
    // Position = trunc(101 / 200 x (x - 5)), kept within 0..100: the whole range plus one
    // spreads over the track, so that the last step is as wide as the others.
    const Case cases[] = {{105, 50}, {5, 0}, {45, 20}, {204, 100}, {0, 0}, {205, 100}, {400, 100}};
    for (const Case& c : cases) {
        slider->setRange(0, 100);
        slider->setValue(c.position == 50 ? 10 : 50);
        const int before = slider->value();
        QTest::mousePress(slider, Qt::LeftButton, {}, QPoint(c.x, 7));
        EXPECT_TRUE(slider->isSliderDown());
        QTest::mouseRelease(slider, Qt::LeftButton, {}, QPoint(c.x, 7));
        EXPECT_FALSE(slider->isSliderDown());
        EXPECT_EQ(slider->value(), c.position) << "x " << c.x;
        const QList<Notice> expected = before == c.position
                                           ? QList<Notice>{}
                                           : QList<Notice>{{SliderCode::Dragging, c.position},
                                                           {SliderCode::DragFinished, c.position}};
        EXPECT_EQ(Delivered(), expected) << "x " << c.x;
    }
}

TEST_F(ImageSliderTest, NotifiesTheOwnerAfterItsOwnHandling) {
    slider->setValue(10);
    QTest::mousePress(slider, Qt::LeftButton, {}, QPoint(105, 7));
    EXPECT_TRUE(notices.isEmpty()) << "posted, not sent";
    EXPECT_EQ(Delivered(), QList<Notice>({{SliderCode::Dragging, 50}}));
    QTest::mouseMove(slider, QPoint(145, 7));
    EXPECT_EQ(Delivered(), QList<Notice>({{SliderCode::Dragging, 70}}));
    QTest::mouseRelease(slider, Qt::LeftButton, {}, QPoint(145, 7));
    EXPECT_EQ(Delivered(), QList<Notice>({{SliderCode::DragFinished, 70}}));
}

TEST_F(ImageSliderTest, ADragThatNeverChangesThePositionSaysNothing) {
    slider->setRange(0, 10);
    slider->setValue(5); // pointer offsets 100 and 101 both mean 5
    QTest::mousePress(slider, Qt::LeftButton, {}, QPoint(105, 7));
    QTest::mouseMove(slider, QPoint(106, 7));
    QTest::mouseRelease(slider, Qt::LeftButton, {}, QPoint(106, 7));
    EXPECT_EQ(slider->value(), 5);
    EXPECT_TRUE(Delivered().isEmpty());
}

TEST_F(ImageSliderTest, MovesByKeysWithTheirCodes) {
    struct Case {
        int start;
        Qt::Key key;
        int position, code;
    };
    const Case cases[] = {
        {50, Qt::Key_PageUp, 40, SliderCode::PageLeft},
        {5, Qt::Key_PageUp, 0, SliderCode::PageLeft},
        {50, Qt::Key_PageDown, 60, SliderCode::PageRight},
        {95, Qt::Key_PageDown, 100, SliderCode::PageRight},
        {50, Qt::Key_End, 100, SliderCode::End},
        {50, Qt::Key_Home, 0, SliderCode::Home},
        {50, Qt::Key_Left, 49, SliderCode::LineLeft},
        {0, Qt::Key_Left, 0, SliderCode::LineLeft},
        {50, Qt::Key_Right, 51, SliderCode::LineRight},
        {100, Qt::Key_Right, 100, SliderCode::LineRight},
        {50, Qt::Key_Up, 49, SliderCode::LineLeft},
        {50, Qt::Key_Down, 51, SliderCode::LineRight},
        {100, Qt::Key_Down, 100, SliderCode::LineRight},
    };
    for (const Case& c : cases) {
        slider->setValue(c.start);
        QTest::keyClick(slider, c.key);
        EXPECT_EQ(slider->value(), c.position) << c.key;
        // The key's release ends the move.
        EXPECT_EQ(Delivered(),
                  QList<Notice>({{c.code, c.position}, {SliderCode::KeyReleased, c.position}}))
            << c.key;
    }
}

TEST_F(ImageSliderTest, HomeThenEnd) {
    slider->setValue(37);
    QTest::keyPress(slider, Qt::Key_Home);
    QTest::keyPress(slider, Qt::Key_End);
    EXPECT_EQ(Delivered(), QList<Notice>({{SliderCode::Home, 0}, {SliderCode::End, 100}}));
}

TEST_F(ImageSliderTest, TheWheelMovesOnlyWhenAllowed) {
    slider->setValue(50);
    const auto turn = [this](int delta) {
        QWheelEvent wheel(QPointF(50, 7), slider->mapToGlobal(QPointF(50, 7)), {}, {0, delta},
                          Qt::NoButton, {}, Qt::NoScrollPhase, false);
        QApplication::sendEvent(slider, &wheel);
        return wheel.isAccepted();
    };
    slider->wheelEnabled = false;
    EXPECT_TRUE(turn(120)) << "consumed";
    EXPECT_EQ(slider->value(), 50);
    EXPECT_TRUE(Delivered().isEmpty());

    slider->wheelEnabled = true;
    turn(120);
    EXPECT_EQ(slider->value(), 51);
    turn(-240);
    EXPECT_EQ(slider->value(), 49);
    EXPECT_EQ(Delivered(), QList<Notice>({{SliderCode::LineRight, 51},
                                          {SliderCode::LineLeft, 50},
                                          {SliderCode::LineLeft, 49}}));
}

TEST_F(ImageSliderTest, LosingTheFocusEndsADrag) {
    QTest::mousePress(slider, Qt::LeftButton, {}, QPoint(105, 7));
    ASSERT_TRUE(slider->isSliderDown());
    QFocusEvent focusOut(QEvent::FocusOut, Qt::OtherFocusReason);
    QApplication::sendEvent(slider, &focusOut);
    EXPECT_FALSE(slider->isSliderDown());
}

} // namespace
