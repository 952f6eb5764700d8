#include "settings/TimeZones.h"
#include "settings/ui/DateTimePage.h"
#include "settings/ui/SettingsControlIds.h"
#include "skin/SkinButton.h"
#include "skin/SkinLineEdit.h"
#include "tests/settings/ui/SettingsUiTestSupport.h"

#include <QTest>
#include <gtest/gtest.h>

namespace {

using namespace TimePageId;

class TimePage : public ::testing::Test {
protected:
    void SetUp() override {
        page = std::make_unique<DateTimePage>(nullptr, [this] { return pcZone; });
        page->resize(593, 519);
        page->show();
        page->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(page.get()));
    }

    template <typename T = QWidget> T* Find(int id) const { return FindControl<T>(page.get(), id); }
    QString Text(int field) const { return Find<SkinLineEdit>(field)->text(); }
    void Click(int id) const { QTest::mouseClick(Find(id), Qt::LeftButton); }

    // A press on the character at that position, as the user points at a part of the field.
    void PressAt(int field, int position) const {
        auto* edit = Find<SkinLineEdit>(field);
        edit->setCursorPosition(position);
        // Just right of the caret lies the character itself.
        const QPoint at =
            edit->inputMethodQuery(Qt::ImCursorRectangle).toRect().center() + QPoint(2, 0);
        edit->setCursorPosition(0);
        QTest::mouseClick(edit, Qt::LeftButton, {}, at);
    }

    std::optional<int> pcZone = 0;
    std::unique_ptr<DateTimePage> page;
};

TEST_F(TimePage, ArrowsStepThePartThePointerSelected) {
    const struct {
        const char* text;
        int field;
        int pressAt; // -1: no press, the caret stays at 0
        int arrow;
        const char* after;
    } cases[] = {
        {"2012/12/31", DateField, 6, DateUp, "2012/01/31"},   // the year stays
        {"2013/03/01", DateField, 9, DateDown, "2013/03/31"}, // into the month's own last day
        {"2013/02/01", DateField, 9, DateDown, "2013/02/28"},
        {"2012/02/01", DateField, 9, DateDown, "2012/02/29"},
        {"2013/02/28", DateField, 9, DateUp, "2013/02/01"}, // 29 Feb 2013 is 1 March
        {"1970/05/05", DateField, 1, DateDown, "1970/05/05"},
        {"2012/02/29", DateField, 2, DateUp, "2013/02/29"},  // the day is kept as it stands
        {"2012/01/31", DateField, -1, DateUp, "2012/01/01"}, // caret at 0: the day
        {"2012/13/31", DateField, 1, DateUp, "2012/13/31"},  // no date: nothing
        {"23:59:59", TimeField, 1, TimeUp, "00:59:59"},
        {"10:15:59", TimeField, 7, TimeUp, "10:15:00"}, // no carry into the minute
        {"10:15:20", TimeField, -1, TimeUp, "10:15:21"},
        {"00:00:00", TimeField, 4, TimeDown, "00:59:00"},
        {"24:00:00", TimeField, 1, TimeUp, "24:00:00"},
    };
    Click(ChangeInputOn);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        auto* field = Find<SkinLineEdit>(c.field);
        field->setText(c.text);
        field->setCursorPosition(0);
        if (c.pressAt >= 0)
            PressAt(c.field, c.pressAt);
        Click(c.arrow);
        EXPECT_EQ(field->text(), c.after);
    }
}

TEST_F(TimePage, ArrowsStepDayAndSecondsRightAfterOn) {
    // The page itself fills the fields: nothing is selected and the caret is where it left it.
    Click(ChangeInputOn);
    const QDate date = QDate::fromString(Text(DateField), "yyyy/MM/dd");
    const QTime time = QTime::fromString(Text(TimeField), "hh:mm:ss");
    ASSERT_TRUE(date.isValid() && time.isValid());
    Click(DateUp);
    Click(TimeDown);
    const int day = date.day() == 31 ? 1 : date.day() + 1;
    EXPECT_EQ(Text(DateField).mid(8), QStringLiteral("%1").arg(day, 2, 10, QChar(u'0')));
    EXPECT_EQ(Text(TimeField).mid(6),
              QStringLiteral("%1").arg((time.second() + 59) % 60, 2, 10, QChar(u'0')));
}

TEST_F(TimePage, APressSelectsAWholePartAndTheArrowKeepsIt) {
    Click(ChangeInputOn);
    auto* date = Find<SkinLineEdit>(DateField);
    date->setText("2012/10/16");
    PressAt(DateField, 6);
    EXPECT_EQ(date->selectedText(), "10");
    Click(DateUp);
    Click(DateUp);
    EXPECT_EQ(date->text(), "2012/12/16");
    EXPECT_EQ(date->selectedText(), "12");
    EXPECT_TRUE(date->hasFocus());
}

TEST_F(TimePage, SwitchesEnableTheirFields) {
    Click(ChangeInputOff);
    for (int id : {DateField, TimeField, DateUp, DateDown, TimeUp, TimeDown})
        EXPECT_FALSE(Find(id)->isEnabled()) << id;
    Click(ChangeInputOn);
    for (int id : {DateField, TimeField, DateUp, DateDown, TimeUp, TimeDown})
        EXPECT_TRUE(Find(id)->isEnabled()) << id;
    EXPECT_EQ(Text(DateField).size(), 10);
    EXPECT_EQ(Text(TimeField).size(), 8);

    Click(GpsSyncOff);
    for (int id : {ZoneField, ZoneUp, ZoneDown})
        EXPECT_FALSE(Find(id)->isEnabled()) << id;
    Click(GpsSyncOn);
    for (int id : {ZoneField, ZoneUp, ZoneDown})
        EXPECT_TRUE(Find(id)->isEnabled()) << id;
}

TEST_F(TimePage, SynchronizationShowsThePcsZoneOrTheFirst) {
    const struct {
        std::optional<int> offset;
        const char* shown;
    } cases[] = {
        {345, "+05:45"}, {-210, "-03:30"}, {0, "0"}, {525, "-12:00"}, {std::nullopt, "-12:00"}};
    for (const auto& c : cases) {
        pcZone = c.offset;
        Click(GpsSyncOn);
        EXPECT_EQ(Text(ZoneField), c.shown) << c.offset.value_or(-1);
    }
}

TEST_F(TimePage, ZoneArrowsStopAtBothEnds) {
    pcZone = -720;
    Click(GpsSyncOn);
    Click(ZoneUp);
    EXPECT_EQ(Text(ZoneField), "-12:00");
    Click(ZoneDown);
    EXPECT_EQ(Text(ZoneField), "-11:00");
    pcZone = 780;
    Click(GpsSyncOn);
    Click(ZoneDown);
    EXPECT_EQ(Text(ZoneField), "+13:00");
    Click(ZoneUp);
    EXPECT_EQ(Text(ZoneField), "+12:00");
}

TEST_F(TimePage, LoadsCollectsAndDefaults) {
    const struct {
        const char* name;
        const char *date, *time;
        int loadedFiles, sync, zone;
        bool clockSet;
        const char* dateShown; // null: the PC's date
        const char* zoneShown;
        int collectedZone;
    } cases[] = {
        {"setting.ini with date and time", "2012/10/16", "19:31:01", 3, 0, 0, true, nullptr, "0",
         0},
        {"midnight counts", "2012/10/16", "00:00:00", 1, 1, 545, true, nullptr, "+05:45", 545},
        {"a day out of range", "2012/10/32", "19:31:01", 3, 0, 0, false, "", "0", 0},
        {"too short", "2012/10", "19:31:01", 1, 0, 0, false, "", "0", 0},
        {"no time", "2012/10/16", "", 1, 0, 0, false, "2012/10/16", "0", 0},
        {"only setting_pcm.ini", "2012/10/16", "19:31:01", 2, 1, -530, false, nullptr, "-05:30",
         -530},
        {"an unknown zone", "", "", 1, 1, 115, false, "", "-12:00", -1200},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SettingsRecord record;
        record.vk_date = c.date;
        record.vk_time = c.time;
        record.vk_gps_sync_time = c.sync;
        record.vk_gps_timezone = c.zone;
        page->LoadPage(record, c.loadedFiles);
        EXPECT_EQ(Find<SkinButton>(ChangeInputOn)->isChecked(), c.clockSet);
        EXPECT_EQ(Find<SkinButton>(ChangeInputOff)->isChecked(), !c.clockSet);
        EXPECT_EQ(Find(DateField)->isEnabled(), c.clockSet);
        if (c.dateShown) {
            EXPECT_EQ(Text(DateField), c.dateShown);
        } else {
            const QDate shown = QDate::fromString(Text(DateField), "yyyy/MM/dd");
            ASSERT_TRUE(shown.isValid()) << Text(DateField).toStdString();
            EXPECT_LE(std::abs(shown.daysTo(QDate::currentDate())), 1);
        }
        EXPECT_EQ(Find<SkinButton>(GpsSyncOn)->isChecked(), c.sync == 1);
        EXPECT_EQ(Find(ZoneField)->isEnabled(), c.sync == 1);
        EXPECT_EQ(Text(ZoneField), c.zoneShown);

        SettingsRecord collected;
        page->CollectPage(collected);
        EXPECT_EQ(collected.vk_date, c.clockSet ? Text(DateField) : QString());
        EXPECT_EQ(collected.vk_time, c.clockSet ? Text(TimeField) : QString());
        EXPECT_EQ(collected.vk_gps_sync_time, c.sync);
        EXPECT_EQ(collected.vk_gps_timezone, c.sync == 1 ? c.collectedZone : 0);
    }

    pcZone = 345;
    page->SetDefaults();
    EXPECT_TRUE(Find<SkinButton>(ChangeInputOff)->isChecked());
    EXPECT_TRUE(Find<SkinButton>(GpsSyncOff)->isChecked());
    EXPECT_FALSE(Find(DateField)->isEnabled());
    EXPECT_FALSE(Find(ZoneField)->isEnabled());
    EXPECT_EQ(Text(ZoneField), "+05:45");
    SettingsRecord defaults;
    page->CollectPage(defaults);
    EXPECT_EQ(defaults, SettingsRecord());
}

TEST(TimeZoneTable, HasFortyZonesFoundByCodeAndOffset) {
    ASSERT_EQ(TimeZones().size(), 40u);
    EXPECT_STREQ(TimeZones()[ZoneIndexOfCode(545)].label, "+05:45");
    EXPECT_STREQ(TimeZones()[ZoneIndexOfCode(-530)].label, "-05:30");
    EXPECT_STREQ(TimeZones()[ZoneIndexOfOffset(345)].label, "+05:45");
    EXPECT_EQ(ZoneIndexOfOffset(525), 0); // +08:45 is not among them
    EXPECT_EQ(ZoneIndexOfCode(845), 0);
}

} // namespace
