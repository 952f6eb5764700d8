#include "settings/ui/DevicePage.h"

#include "settings/SettingsDefaults.h"
#include "settings/ui/SettingsControlIds.h"
#include "skin/SkinComboBox.h"
#include "skin/SkinLineEdit.h"
#include "skin/SkinSlider.h"
#include "tests/settings/ui/SettingsUiTestSupport.h"

#include <QTest>

namespace {

using namespace DevicePageId;

class DevicePageTest : public PageTest<DevicePage> {
protected:
    void SetUp() override {
        PageTest::SetUp();
        page.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&page));
    }

    SkinLineEdit* Field(int id) const { return Find<SkinLineEdit>(id); }
    SkinComboBox* List(int id) const { return Find<SkinComboBox>(id); }

    // Loads a record whose name and password are to be changed, with this password.
    void LoadWithPassword(const QString& password) {
        SettingsRecord record = DefaultSettingsRecord();
        record.vk_wifi_ap_pwd = password;
        page.LoadPage(record, 0);
    }
};

TEST_F(DevicePageTest, FieldsTakeOnlyTheirCharacters) {
    page.SetDefaults();
    const struct {
        int field;
        const char* typed;
        const char* added; // what reaches the field
    } cases[] = {
        {NameField, "!", ""},         {NameField, " ", ""},      {NameField, "-", "-"},
        {NameField, "_", "_"},        {NameField, "aZ9", "aZ9"}, {NameField, "a.b", "ab"},
        {PasswordField, "-", ""},     {PasswordField, "_", ""},  {PasswordField, "aZ9", "aZ9"},
        {PasswordField, "x y", "xy"},
    };
    for (const auto& c : cases) {
        SkinLineEdit* field = Field(c.field);
        const QString before = field->text();
        field->setFocus();
        field->end(false);
        QTest::keyClicks(field, c.typed);
        EXPECT_EQ(field->text(), before + c.added) << c.field << " " << c.typed;
        field->setText(before);
    }
}

TEST_F(DevicePageTest, FieldsStopAtTheirLengthButKeepALongerStoredText) {
    page.SetDefaults();
    Field(NameField)->setFocus();
    Field(NameField)->end(false);
    QTest::keyClicks(Field(NameField), "0123456789abcdefXYZ");
    EXPECT_EQ(Field(NameField)->text(), "VESKA-QX5" + QString("0123456789abcde"));
    Field(PasswordField)->setText("");
    Field(PasswordField)->setFocus();
    QTest::keyClicks(Field(PasswordField), "0123456789abcdefXYZ");
    EXPECT_EQ(Field(PasswordField)->text(), "0123456789abcdef");

    // A 19-character password from a file is kept whole, and can still be shortened.
    LoadWithPassword("0123456789abcdefghi");
    EXPECT_EQ(Collected().vk_wifi_ap_pwd, "0123456789abcdefghi");
    Field(PasswordField)->setFocus();
    Field(PasswordField)->end(false);
    QTest::keyClick(Field(PasswordField), Qt::Key_Backspace);
    EXPECT_EQ(Collected().vk_wifi_ap_pwd, "0123456789abcdefgh");
}

TEST_F(DevicePageTest, TheNameKeepsItsPrefix) {
    page.SetDefaults();
    SkinLineEdit* name = Field(NameField);
    name->setFocus();
    name->end(false);
    QTest::keyClick(name, Qt::Key_Backspace);
    EXPECT_EQ(name->text(), "VESKA-QX5");
    EXPECT_EQ(name->cursorPosition(), 9);
    QTest::keyClicks(name, "-Car");
    name->home(false);
    QTest::keyClick(name, Qt::Key_Delete);
    EXPECT_EQ(name->text(), "VESKA-QX5-Car");
    EXPECT_EQ(page.LastGoodName(), "VESKA-QX5-Car");
    EXPECT_EQ(Collected().vk_wifi_ap_ssid, "VESKA-QX5-Car");
}

TEST_F(DevicePageTest, ANameWithoutThePrefixLoadsAsOffAndSavesNothing) {
    SettingsRecord record = DefaultSettingsRecord();
    record.vk_wifi_ap_ssid = "VESKA-QX5-Car";
    page.LoadPage(record, 0);
    EXPECT_TRUE(Checked(ChangeInputOn));
    EXPECT_TRUE(Field(NameField)->isEnabled());

    for (const char* stored : {"HOME-AP", "", "veska-qx5"}) {
        record.vk_wifi_ap_ssid = stored;
        page.LoadPage(record, 0);
        EXPECT_TRUE(Checked(ChangeInputOff)) << stored;
        // The last name that had the prefix stands in the disabled field.
        EXPECT_EQ(Field(NameField)->text(), "VESKA-QX5-Car") << stored;
        EXPECT_FALSE(Field(NameField)->isEnabled());
        EXPECT_FALSE(Field(PasswordField)->isEnabled());
        EXPECT_EQ(Field(PasswordField)->text(), "5820174639");
        EXPECT_TRUE(Collected().vk_wifi_ap_ssid.isEmpty());
        EXPECT_TRUE(Collected().vk_wifi_ap_pwd.isEmpty());
    }

    QTest::mouseClick(Find(ChangeInputOn), Qt::LeftButton);
    EXPECT_TRUE(Field(NameField)->isEnabled());
    EXPECT_TRUE(Field(PasswordField)->isEnabled());
    EXPECT_EQ(Collected().vk_wifi_ap_ssid, "VESKA-QX5-Car");
    EXPECT_EQ(Collected().vk_wifi_ap_pwd, "5820174639");
    QTest::mouseClick(Find(ChangeInputOff), Qt::LeftButton);
    EXPECT_FALSE(Field(NameField)->isEnabled());
}

TEST_F(DevicePageTest, DisplayPasswordShowsTheCharactersOrStars) {
    LoadWithPassword("5820174639");
    EXPECT_TRUE(Checked(ShowPasswordOff));
    EXPECT_EQ(Field(PasswordField)->displayText(), "**********");
    QTest::mouseClick(Find(ShowPasswordOn), Qt::LeftButton);
    EXPECT_EQ(Field(PasswordField)->displayText(), "5820174639");
    QTest::mouseClick(Find(ShowPasswordOff), Qt::LeftButton);
    EXPECT_EQ(Field(PasswordField)->displayText(), "**********");
}

TEST_F(DevicePageTest, APasswordOfAWrongLengthIsCheckedWhenTheFocusLeaves) {
    const QString message =
        "Your name must be 9-24 characters and password must be 8-16 numbers or characters.";
    const struct {
        const char* password;
        int focusTo;
        bool messageShown;
        bool focusBack;
        const char* shown; // the password field's display after the check
    } cases[] = {
        {"12345", ShowPasswordOn, false, true, "12345"},
        {"12345", ShowPasswordOff, false, true, "*****"},
        {"12345", ChangeInputOff, false, false, "*****"},
        {"12345", Channel, true, true, "*****"},
        {"1234567", Motion, true, true, "*******"},
        {"", Channel, false, false, ""},
        {"12345678", Channel, false, false, "********"},
        {"0123456789abcdef", Channel, false, false, "****************"},
        // One longer than the field takes, from a file, is checked as well.
        {"0123456789abcdefghi", Channel, true, true, "*******************"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.password << " to " << c.focusTo);
        LoadWithPassword(c.password);
        MessageBoxes messages;
        Field(PasswordField)->setFocus(Qt::MouseFocusReason);
        QCoreApplication::processEvents();
        Find(c.focusTo)->setFocus(Qt::MouseFocusReason);
        QCoreApplication::processEvents();
        // The desktop gives the page back the activation the message took.
        page.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&page));
        EXPECT_EQ(messages.texts, c.messageShown ? QStringList{message} : QStringList{});
        EXPECT_EQ(Field(PasswordField)->hasFocus(), c.focusBack);
        EXPECT_EQ(Field(PasswordField)->displayText(), c.shown);
        if (c.focusBack) {
            EXPECT_EQ(Field(PasswordField)->cursorPosition(), Field(PasswordField)->text().size());
        }
    }
}

TEST_F(DevicePageTest, ListsLoadAndSaveTheirEntries) {
    const struct {
        int wifiOff, channel;
        const char* wifiOffShown;
        const char* channelShown;
        int savedWifiOff, savedChannel;
    } cases[] = {
        {0, 1, "3min", "1", 0, 1}, {1, 6, "5min", "6", 1, 6}, {2, 11, "10min", "11", 2, 11},
        {3, 0, "", "", 0, 1},      {-1, 12, "", "", 0, 1},
    };
    for (const auto& c : cases) {
        SettingsRecord record = DefaultSettingsRecord();
        record.vk_wifi_off_timer_sec = c.wifiOff;
        record.vk_wifi_channel = c.channel;
        page.LoadPage(record, 0);
        EXPECT_EQ(List(WifiOffTimer)->currentText(), c.wifiOffShown) << c.wifiOff;
        EXPECT_EQ(List(Channel)->currentText(), c.channelShown) << c.channel;
        EXPECT_EQ(Collected().vk_wifi_off_timer_sec, c.savedWifiOff) << c.wifiOff;
        EXPECT_EQ(Collected().vk_wifi_channel, c.savedChannel) << c.channel;
    }
}

TEST_F(DevicePageTest, SensorsLedAndMotionLoadAndSave) {
    using R = SettingsRecord;
    const struct {
        int R::*key;
        int slider, readout;
    } sensors[] = {
        {&R::vk_gsensor_intensity_always_x, DrivingX, DrivingXReadout},
        {&R::vk_gsensor_intensity_always_y, DrivingY, DrivingYReadout},
        {&R::vk_gsensor_intensity_always_z, DrivingZ, DrivingZReadout},
        {&R::vk_gsensor_intensity_parking_x, ParkingX, ParkingXReadout},
        {&R::vk_gsensor_intensity_parking_y, ParkingY, ParkingYReadout},
        {&R::vk_gsensor_intensity_parking_z, ParkingZ, ParkingZReadout},
    };
    SettingsRecord record = DefaultSettingsRecord();
    for (int i = 0; i < 6; ++i)
        record.*sensors[i].key = i + 1;
    record.vk_led_rec_parking = 0;
    const struct {
        int motion;
        const char* shown;
        int saved;
    } motions[] = {{0, "Low", 0}, {1, "Normal", 1}, {2, "High", 2}, {5, "Normal", 2}};
    for (const auto& m : motions) {
        record.vk_gsensor_motionsensitivity = m.motion;
        page.LoadPage(record, 0);
        EXPECT_EQ(Text(MotionReadout), m.shown) << m.motion;
        EXPECT_EQ(Collected().vk_gsensor_motionsensitivity, m.saved) << m.motion;
    }
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(Text(sensors[i].readout), QString::number(i + 1));
        EXPECT_EQ(Collected().*sensors[i].key, i + 1);
    }
    EXPECT_TRUE(Checked(LedOff));
    EXPECT_EQ(Collected().vk_led_rec_parking, 0);

    // The motion slider names its position when moved by a page.
    auto* motion = Find<SkinSlider>(Motion);
    motion->setFocus();
    QTest::keyClick(motion, Qt::Key_PageUp);
    QCoreApplication::processEvents();
    EXPECT_EQ(Text(MotionReadout), "Low");
    auto* sensor = Find<SkinSlider>(ParkingZ);
    sensor->setFocus();
    QTest::keyClick(sensor, Qt::Key_PageDown);
    QCoreApplication::processEvents();
    EXPECT_EQ(Text(ParkingZReadout), "9");
}

TEST_F(DevicePageTest, StartsAndDefaultsAsTheCameraLeavesTheFactory) {
    EXPECT_EQ(Field(NameField)->text(), "VESKA-QX5");
    EXPECT_FALSE(Field(NameField)->isEnabled());
    EXPECT_EQ(page.LastGoodName(), "VESKA-QX5");
    EXPECT_EQ(Text(MotionReadout), "Normal");
    EXPECT_EQ(Text(DrivingXReadout), "4");

    SettingsRecord other;
    other.vk_wifi_ap_ssid = "VESKA-QX5-Other";
    page.LoadPage(other, 0);
    page.SetDefaults();
    EXPECT_TRUE(Checked(ChangeInputOn));
    EXPECT_TRUE(Checked(ShowPasswordOff));
    EXPECT_TRUE(Field(PasswordField)->isEnabled());
    EXPECT_EQ(page.LastGoodName(), "VESKA-QX5");
    EXPECT_EQ(List(WifiOffTimer)->currentText(), "5min");
    EXPECT_EQ(List(Channel)->currentText(), "1");
    SettingsRecord saved = Collected();
    const SettingsRecord defaults = DefaultSettingsRecord();
    EXPECT_EQ(saved.vk_wifi_ap_ssid, defaults.vk_wifi_ap_ssid);
    EXPECT_EQ(saved.vk_wifi_ap_pwd, "5820174639");
    EXPECT_EQ(saved.vk_gsensor_intensity_parking_y, 4);
    EXPECT_EQ(saved.vk_gsensor_motionsensitivity, 1);
    EXPECT_EQ(saved.vk_led_rec_parking, 1);
}

} // namespace
