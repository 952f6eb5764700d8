#include "settings/ui/RecordingPage.h"

#include "settings/SettingsDefaults.h"
#include "settings/SettingsKeys.h"
#include "settings/ui/SettingsControlIds.h"
#include "skin/SkinComboBox.h"
#include "tests/settings/ui/SettingsUiTestSupport.h"

#include <QTest>

namespace {

using namespace RecordingPageId;

class RecordingPageTest : public PageTest<RecordingPage> {
protected:
    SkinComboBox* List(int id) const { return Find<SkinComboBox>(id); }

    // Chooses an entry as a user does, from the keyboard.
    void Choose(int id, int entry) const {
        SkinComboBox* list = List(id);
        list->setFocus();
        while (list->currentIndex() < entry)
            QTest::keyClick(list, Qt::Key_Down);
        while (list->currentIndex() > entry)
            QTest::keyClick(list, Qt::Key_Up);
    }
};

TEST_F(RecordingPageTest, StoredVoltagesPickTheVehicleAndTheirEntries) {
    const struct {
        double parking, shutdown;
        const char* vehicle;
        const char* parkingShown; // "" when the list has no selection
        const char* shutdownShown;
    } cases[] = {
        {12.7, 11.9, "12 V", "12.7V", "11.9V"},
        {25.4, 23.8, "24 V", "25.4V", "23.8V"},
        {13.1, 12.3, "12 V", "13.1V", "12.3V"},
        {26.2, 24.6, "24 V", "26.2V", "24.6V"},
        // Only values above 20 mean 24 V; 20.0 lies far beyond the 12 V list.
        {20.0, 11.7, "12 V", "", "11.7V"},
        {0.0, 0.0, "12 V", "", ""},
        {1e300, 12.0, "24 V", "", ""},
    };
    for (const auto& c : cases) {
        SettingsRecord record = DefaultSettingsRecord();
        record.vk_park_voltage = c.parking;
        record.vk_park_shutdown_voltage = c.shutdown;
        page.LoadPage(record, 0);
        EXPECT_EQ(List(VehicleVoltage)->currentText(), c.vehicle) << c.parking;
        EXPECT_EQ(List(ParkingVoltage)->currentText(), c.parkingShown) << c.parking;
        EXPECT_EQ(List(ShutdownVoltage)->currentText(), c.shutdownShown) << c.shutdown;
    }
}

// Every entry saved and read back, through the file's one decimal, comes back as itself.
TEST_F(RecordingPageTest, EveryVoltageEntryComesBackFromTheFile) {
    for (int vehicle : {0, 1}) {
        page.SetDefaults();
        Choose(VehicleVoltage, vehicle);
        const int parkingCount = List(ParkingVoltage)->count();
        const int shutdownCount = List(ShutdownVoltage)->count();
        EXPECT_EQ(parkingCount, vehicle ? 15 : 8);
        EXPECT_EQ(shutdownCount, vehicle ? 13 : 7);
        for (int entry = 0; entry < std::max(parkingCount, shutdownCount); ++entry) {
            List(ParkingVoltage)->setCurrentIndex(std::min(entry, parkingCount - 1));
            List(ShutdownVoltage)->setCurrentIndex(std::min(entry, shutdownCount - 1));
            const SettingsRecord saved = Collected();
            const QString parkingText = List(ParkingVoltage)->currentText();
            const QString shutdownText = List(ShutdownVoltage)->currentText();
            EXPECT_EQ(VoltageText(saved.vk_park_voltage) + 'V', parkingText);
            EXPECT_EQ(VoltageText(saved.vk_park_shutdown_voltage) + 'V', shutdownText);

            SettingsRecord fromFile = saved;
            fromFile.vk_park_voltage = VoltageText(saved.vk_park_voltage).toDouble();
            fromFile.vk_park_shutdown_voltage =
                VoltageText(saved.vk_park_shutdown_voltage).toDouble();
            page.LoadPage(fromFile, 0);
            EXPECT_EQ(List(ParkingVoltage)->currentText(), parkingText);
            EXPECT_EQ(List(ShutdownVoltage)->currentText(), shutdownText);
        }
    }
}

TEST_F(RecordingPageTest, ChangingTheVehicleStartsFromItsUsualVoltages) {
    page.SetDefaults();
    List(ParkingVoltage)->setCurrentIndex(0);
    List(ShutdownVoltage)->setCurrentIndex(5);
    Choose(VehicleVoltage, 1);
    EXPECT_EQ(List(ParkingVoltage)->currentText(), "25.4V");
    EXPECT_EQ(List(ShutdownVoltage)->currentText(), "23.8V");
    List(ParkingVoltage)->setCurrentIndex(0);
    Choose(VehicleVoltage, 0);
    EXPECT_EQ(List(ParkingVoltage)->currentText(), "12.7V");
    EXPECT_EQ(List(ShutdownVoltage)->currentText(), "11.9V");
    page.FillVoltageLists(24);
    EXPECT_EQ(List(ParkingVoltage)->currentText(), "25.2V");
    EXPECT_EQ(List(ShutdownVoltage)->currentText(), "23.7V");
}

TEST_F(RecordingPageTest, ManualVoltageOnlyEnablesTheParkingList) {
    SettingsRecord record = DefaultSettingsRecord();
    record.vk_park_voltage = 12.9;
    page.LoadPage(record, 0);
    EXPECT_TRUE(Checked(ManualVoltageOff));
    EXPECT_FALSE(List(ParkingVoltage)->isEnabled());
    // Disabled, it keeps its selection, and that is what is saved.
    EXPECT_EQ(List(ParkingVoltage)->currentText(), "12.9V");
    EXPECT_EQ(VoltageText(Collected().vk_park_voltage), "12.9");
    EXPECT_EQ(Collected().vk_park_voltage_manual_flag, 0);

    QTest::mouseClick(Find(ManualVoltageOn), Qt::LeftButton);
    EXPECT_TRUE(List(ParkingVoltage)->isEnabled());
    EXPECT_EQ(Collected().vk_park_voltage_manual_flag, 1);
    QTest::mouseClick(Find(ManualVoltageOff), Qt::LeftButton);
    EXPECT_FALSE(List(ParkingVoltage)->isEnabled());

    record.vk_park_voltage_manual_flag = 1;
    page.LoadPage(record, 0);
    EXPECT_TRUE(Checked(ManualVoltageOn));
    EXPECT_TRUE(List(ParkingVoltage)->isEnabled());
}

TEST_F(RecordingPageTest, DeletionOrderAndAllocationLoadAndSave) {
    const struct {
        int type, percent;
        const char* order;
        const char* threeWay; // "" when the list has no selection
        const char* twoWay;
        bool threeWayEnabled, twoWayEnabled;
        int savedType, savedPercent;
    } cases[] = {
        {1, 0, "Chronological", "50%/30%/20%", "70%/30%", false, false, 1, 0},
        {2, 0, "Normal, Event, Motion", "50%/30%/20%", "70%/30%", true, false, 2, 0},
        {2, 1, "Normal, Event, Motion", "60%/30%/10%", "70%/30%", true, false, 2, 1},
        {2, 2, "Normal, Event, Motion", "70%/20%/10%", "70%/30%", true, false, 2, 2},
        {2, 5, "Normal, Event, Motion", "", "70%/30%", true, false, 2, 0},
        {3, 0, "Normal+Motion, Event", "50%/30%/20%", "70%/30%", false, true, 3, 0},
        {3, 1, "Normal+Motion, Event", "50%/30%/20%", "70%/30%", false, true, 3, 0},
        {3, 2, "Normal+Motion, Event", "50%/30%/20%", "80%/20%", false, true, 3, 2},
        {0, 2, "Chronological", "50%/30%/20%", "70%/30%", false, false, 1, 0},
        {7, 1, "Chronological", "50%/30%/20%", "70%/30%", false, false, 1, 0},
    };
    for (const auto& c : cases) {
        SettingsRecord record = DefaultSettingsRecord();
        record.vk_limit_space_type = c.type;
        record.vk_limit_space_percent_type = c.percent;
        page.LoadPage(record, 0);
        SCOPED_TRACE(testing::Message() << c.type << "/" << c.percent);
        EXPECT_EQ(List(DeletingOrder)->currentText(), c.order);
        EXPECT_EQ(List(ThreeWayAllocation)->currentText(), c.threeWay);
        EXPECT_EQ(List(TwoWayAllocation)->currentText(), c.twoWay);
        EXPECT_EQ(List(ThreeWayAllocation)->isEnabled(), c.threeWayEnabled);
        EXPECT_EQ(List(TwoWayAllocation)->isEnabled(), c.twoWayEnabled);
        EXPECT_EQ(Collected().vk_limit_space_type, c.savedType);
        EXPECT_EQ(Collected().vk_limit_space_percent_type, c.savedPercent);
    }
}

TEST_F(RecordingPageTest, ChronologicalIgnoresWhatTheAllocationListsShow) {
    SettingsRecord record = DefaultSettingsRecord();
    record.vk_limit_space_percent_type = 2;
    page.LoadPage(record, 0);
    Choose(DeletingOrder, 0);
    EXPECT_FALSE(List(ThreeWayAllocation)->isEnabled());
    EXPECT_FALSE(List(TwoWayAllocation)->isEnabled());
    EXPECT_EQ(List(ThreeWayAllocation)->currentText(), "70%/20%/10%");
    EXPECT_EQ(Collected().vk_limit_space_type, 1);
    EXPECT_EQ(Collected().vk_limit_space_percent_type, 0);
    Choose(DeletingOrder, 2);
    EXPECT_FALSE(List(ThreeWayAllocation)->isEnabled());
    EXPECT_TRUE(List(TwoWayAllocation)->isEnabled());
}

TEST_F(RecordingPageTest, ShutdownTimerAndSwitches) {
    const struct {
        int duration;
        const char* shown;
        int saved;
    } cases[] = {
        {0, "Do Not Set", 0}, {1, " 3 Time", 1}, {8, "72 Time", 8}, {9, "", -1}, {-1, "", -1}};
    for (const auto& c : cases) {
        SettingsRecord record = DefaultSettingsRecord();
        record.vk_park_duration_min = c.duration;
        record.vk_use_rec_parking_always = c.duration == 1 ? 1 : 2;
        record.vk_use_drive_shutdown_voltage = c.duration == 1 ? 1 : 0;
        page.LoadPage(record, 0);
        EXPECT_EQ(List(ShutdownTimer)->currentText(), c.shown) << c.duration;
        EXPECT_EQ(Collected().vk_park_duration_min, c.saved) << c.duration;
        // Only 1 turns a switch ON.
        EXPECT_EQ(Checked(ContinuousOn), c.duration == 1);
        EXPECT_EQ(Collected().vk_use_rec_parking_always, c.duration == 1 ? 1 : 0);
        EXPECT_EQ(Checked(DrivingShutdownOn), c.duration == 1);
        EXPECT_EQ(Collected().vk_use_drive_shutdown_voltage, c.duration == 1 ? 1 : 0);
    }
}

TEST_F(RecordingPageTest, DefaultsGiveTheFactorySettings) {
    SettingsRecord changed = DefaultSettingsRecord();
    changed.vk_use_rec_parking_always = 1;
    changed.vk_park_voltage = 25.0;
    changed.vk_park_voltage_manual_flag = 1;
    changed.vk_limit_space_type = 3;
    page.LoadPage(changed, 0);
    page.SetDefaults();
    const SettingsRecord saved = Collected();
    const SettingsRecord defaults = DefaultSettingsRecord();
    EXPECT_EQ(saved.vk_use_rec_parking_always, defaults.vk_use_rec_parking_always);
    EXPECT_EQ(saved.vk_park_duration_min, defaults.vk_park_duration_min);
    EXPECT_EQ(saved.vk_park_voltage_manual_flag, defaults.vk_park_voltage_manual_flag);
    EXPECT_EQ(VoltageText(saved.vk_park_voltage), "12.7");
    EXPECT_EQ(VoltageText(saved.vk_park_shutdown_voltage), "11.9");
    EXPECT_EQ(saved.vk_use_drive_shutdown_voltage, 1);
    EXPECT_EQ(saved.vk_limit_space_type, 2);
    EXPECT_EQ(saved.vk_limit_space_percent_type, 0);
    EXPECT_FALSE(List(ParkingVoltage)->isEnabled());
    EXPECT_TRUE(List(ThreeWayAllocation)->isEnabled());
    EXPECT_FALSE(List(TwoWayAllocation)->isEnabled());
}

} // namespace
