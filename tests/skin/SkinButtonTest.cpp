#include "skin/SkinButton.h"

#include "skin/SkinBitmaps.h"
#include "tests/skin/SkinTestSupport.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

constexpr QRect PlayRect{10, 10, 37, 28};

class SkinButtonTest : public ::testing::Test {
protected:
    void SetUp() override {
        owner.resize(300, 200);
        owner.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&owner));
    }

    SkinButton* Make(int id, SkinButton::Mode mode, QRect rect = PlayRect) {
        auto* button = new SkinButton(&owner, id, rect, mode);
        button->SetImages(ButtonLook::Play);
        button->show();
        return button;
    }

    QWidget owner;
};

TEST_F(SkinButtonTest, ShowsTheLookOfEachState) {
    SkinButton* button = Make(1015, SkinButton::PushButton);
    EXPECT_EQ(button->objectName(), "1015");
    const QImage normal = Flat(SkinBitmap(ButtonLook::Play.normal));
    EXPECT_EQ(Shown(*button), normal);

    QTest::mouseMove(button, QPoint(5, 5));
    EXPECT_EQ(Shown(*button), Flat(SkinBitmap(ButtonLook::Play.hover)));

    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(Shown(*button), Flat(SkinBitmap(ButtonLook::Play.pressed)));
    // Held and dragged off the button, it shows itself released; back on it, pressed again.
    QTest::mouseMove(button, QPoint(100, 100));
    EXPECT_EQ(Shown(*button), normal);
    QTest::mouseMove(button, QPoint(6, 6));
    EXPECT_EQ(Shown(*button), Flat(SkinBitmap(ButtonLook::Play.pressed)));
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(6, 6));

    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(button, &leave);
    EXPECT_EQ(Shown(*button), normal);

    // Without a look of its own, the disabled button is a faded copy of the normal one.
    button->setEnabled(false);
    const QImage disabled = Shown(*button);
    EXPECT_EQ(disabled, Flat(DisabledLook(SkinBitmap(ButtonLook::Play.normal))));
    EXPECT_NE(disabled, normal);
}

TEST_F(SkinButtonTest, ANamedDisabledLookIsUsedAsItIs) {
    SkinButton* mute = Make(1026, SkinButton::CheckBox, {10, 10, 22, 16});
    mute->SetImages(ButtonLook::Volume); // disabled look: the pressed one
    mute->setEnabled(false);
    EXPECT_EQ(Shown(*mute), Flat(SkinBitmap(ButtonLook::Volume.disabled)));
}

TEST_F(SkinButtonTest, ACheckBoxTogglesOnAReleaseInsideBeforeTheOwnerHears) {
    SkinButton* box = Make(1009, SkinButton::CheckBox);
    QList<int> stateWhenNotified;
    QObject::connect(box, &SkinButton::command, [&](int id) {
        EXPECT_EQ(id, 1009);
        stateWhenNotified.append(box->GetCheck());
    });

    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(box->GetCheck(), 1);
    EXPECT_EQ(Shown(*box), Flat(SkinBitmap(ButtonLook::Play.pressed))) << "checked shows pressed";
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(box->GetCheck(), 0);
    EXPECT_EQ(stateWhenNotified, QList<int>({1, 0}));

    // Pressed, dragged away and released outside: no toggle and no notification.
    QTest::mousePress(box, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseMove(box, QPoint(120, 120));
    QTest::mouseRelease(box, Qt::LeftButton, {}, QPoint(120, 120));
    EXPECT_EQ(box->GetCheck(), 0);
    EXPECT_EQ(stateWhenNotified.size(), 2);
}

TEST_F(SkinButtonTest, APushButtonStaysUnchecked) {
    SkinButton* push = Make(1015, SkinButton::PushButton);
    QSignalSpy commands(push, &SkinButton::command);
    push->SetCheck(1);
    EXPECT_EQ(push->GetCheck(), 0);
    QTest::mouseClick(push, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(push->GetCheck(), 0);
    ASSERT_EQ(commands.size(), 1);
    EXPECT_EQ(commands.at(0).at(0).toInt(), 1015);
}

TEST_F(SkinButtonTest, CheckingARadioButtonUnchecksTheOthersOfItsGroupOnly) {
    SkinButton* on = Make(11205, SkinButton::RadioButton, {10, 10, 19, 19});
    SkinButton* off = Make(11206, SkinButton::RadioButton, {40, 10, 19, 19});
    SkinButton* gpsOn = Make(11207, SkinButton::RadioButton, {10, 40, 19, 19});
    SkinButton* gpsOff = Make(11208, SkinButton::RadioButton, {40, 40, 19, 19});
    on->SetGroupStart(true);
    gpsOn->SetGroupStart(true);

    gpsOn->SetCheck(1);
    on->SetCheck(1);
    QTest::mouseClick(off, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(off->GetCheck(), 1);
    EXPECT_EQ(on->GetCheck(), 0);
    EXPECT_EQ(gpsOn->GetCheck(), 1) << "another group";

    // A radio button clicked again stays checked.
    QTest::mouseClick(off, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(off->GetCheck(), 1);

    // An owner that changes its mind at once ends with its last choice.
    gpsOff->SetCheck(1);
    gpsOn->SetCheck(1);
    QCoreApplication::processEvents();
    EXPECT_EQ(gpsOn->GetCheck(), 1);
    EXPECT_EQ(gpsOff->GetCheck(), 0);
}

TEST_F(SkinButtonTest, SpaceTogglesACheckBox) {
    SkinButton* box = Make(1003, SkinButton::CheckBox);
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Space);
    EXPECT_EQ(box->GetCheck(), 1);
}

TEST_F(SkinButtonTest, CarriesItsTooltip) {
    SkinButton* button = Make(1002, SkinButton::PushButton);
    button->SetTip("Settings");
    EXPECT_EQ(button->toolTip(), "Settings");
    button->SetTip("Pause");
    EXPECT_EQ(button->toolTip(), "Pause");
}

} // namespace
