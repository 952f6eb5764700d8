#include "settings/SettingsDefaults.h"
#include "settings/ui/AudioPage.h"
#include "settings/ui/SettingsControlIds.h"
#include "settings/ui/VideoPage.h"
#include "skin/SkinButton.h"
#include "skin/SkinComboBox.h"
#include "skin/SkinLabel.h"
#include "skin/SkinSlider.h"
#include "tests/settings/ui/SettingsUiTestSupport.h"

#include <QTest>
#include <gtest/gtest.h>

namespace {

using VideoPageTest = PageTest<VideoPage>;
using AudioPageTest = PageTest<AudioPage>;

TEST_F(VideoPageTest, ResolutionListsShowKnownPairsAndSaveWhatTheyShow) {
    using namespace VideoPageId;
    const struct {
        int mode, quality;
        const char* shown;
        int savedMode, savedQuality;
    } cases[] = {
        {0, 0, "Full HD (1920x1080, HQ)", 0, 0}, {0, 1, "Full HD (1920x1080, LQ)", 0, 1},
        {1, 0, "HD (1280x720, HQ)", 1, 0},       {1, 1, "HD (1280x720, LQ)", 1, 1},
        {2, 0, "Full HD (1920x1080, HQ)", 0, 0}, {1, -1, "Full HD (1920x1080, HQ)", 0, 0},
    };
    for (const auto& c : cases) {
        SettingsRecord record = DefaultSettingsRecord();
        record.vk_display_mode = record.vk_display_mode_park = c.mode;
        record.vk_display_quality = record.vk_display_quality_park = c.quality;
        page.LoadPage(record, 0);
        EXPECT_EQ(Find<SkinComboBox>(DrivingResolution)->currentText(), c.shown);
        EXPECT_EQ(Find<SkinComboBox>(ParkingResolution)->currentText(), c.shown);
        const SettingsRecord saved = Collected();
        EXPECT_EQ(saved.vk_display_mode, c.savedMode);
        EXPECT_EQ(saved.vk_display_quality, c.savedQuality);
        EXPECT_EQ(saved.vk_display_mode_park, c.savedMode);
        EXPECT_EQ(saved.vk_display_quality_park, c.savedQuality);
    }
}

TEST_F(VideoPageTest, OutputSwitchesAndBrightnessLoadAndSave) {
    using namespace VideoPageId;
    const struct {
        int localDisplay, osd, gpsSpeed, brightness;
        const char* standard;
        const char* readout;
        int savedDisplay, savedOsd, savedSpeed, savedBrightness;
    } cases[] = {
        {1, 1, 1, 5, "NTSC", "5", 1, 1, 1, 5},
        {0, 0, 7, 0, "NTSC", "0", 1, 0, 1, 0},
        {2, 3, 0, 10, "PAL", "10", 2, 1, 0, 10},
        // The slider stops at its end; the read-out shows the file's value until it moves.
        {2, 1, 1, 15, "PAL", "15", 2, 1, 1, 10},
    };
    for (const auto& c : cases) {
        SettingsRecord record = DefaultSettingsRecord();
        record.vk_local_display = c.localDisplay;
        record.vk_osd_datetime = c.osd;
        record.vk_osd_gps_speed_display = c.gpsSpeed;
        record.vk_display_brightness = c.brightness;
        page.LoadPage(record, 0);
        EXPECT_EQ(Find<SkinComboBox>(OutputStandard)->currentText(), c.standard);
        EXPECT_EQ(Checked(DateTimeOn), c.osd != 0);
        EXPECT_EQ(Checked(DateTimeOff), c.osd == 0);
        EXPECT_EQ(Checked(GpsSpeedOn), c.gpsSpeed != 0);
        EXPECT_EQ(Text(BrightnessReadout), c.readout);
        const SettingsRecord saved = Collected();
        EXPECT_EQ(saved.vk_local_display, c.savedDisplay);
        EXPECT_EQ(saved.vk_osd_datetime, c.savedOsd);
        EXPECT_EQ(saved.vk_osd_gps_speed_display, c.savedSpeed);
        EXPECT_EQ(saved.vk_display_brightness, c.savedBrightness);
    }
}

TEST_F(VideoPageTest, ReadoutFollowsOnlyPageAndDragNotifications) {
    using namespace VideoPageId;
    auto* slider = Find<SkinSlider>(Brightness);
    page.LoadPage(DefaultSettingsRecord(), 0);
    slider->setFocus();
    const struct {
        Qt::Key key;
        const char* readout;
    } steps[] = {
        {Qt::Key_Right, "5"},     // line right: code 1, and the key release's 8
        {Qt::Key_PageUp, "0"},    // page left: code 2
        {Qt::Key_End, "0"},       // code 7
        {Qt::Key_PageDown, "10"}, // page right from the end stays at 10: code 3
    };
    for (const auto& step : steps) {
        QTest::keyClick(slider, step.key);
        QCoreApplication::processEvents();
        EXPECT_EQ(Text(BrightnessReadout), step.readout) << step.key;
    }
    const QPoint middle(slider->width() / 2, slider->height() / 2);
    QTest::mouseClick(slider, Qt::LeftButton, {}, middle); // codes 5 and 4
    QCoreApplication::processEvents();
    EXPECT_EQ(Text(BrightnessReadout), QString::number(slider->value()));
    EXPECT_NE(slider->value(), 10);
}

TEST_F(VideoPageTest, DefaultsAreTheFactorySettings) {
    using namespace VideoPageId;
    SettingsRecord changed = DefaultSettingsRecord();
    changed.vk_display_mode = 1;
    changed.vk_osd_datetime = 0;
    changed.vk_display_brightness = 2;
    changed.vk_local_display = 2;
    page.LoadPage(changed, 0);
    page.SetDefaults();
    EXPECT_EQ(Find<SkinComboBox>(DrivingResolution)->currentIndex(), 0);
    EXPECT_EQ(Find<SkinComboBox>(OutputStandard)->currentIndex(), 0);
    EXPECT_TRUE(Checked(DateTimeOn));
    EXPECT_TRUE(Checked(GpsSpeedOn));
    EXPECT_EQ(Text(BrightnessReadout), "5");
}

TEST_F(AudioPageTest, EachSwitchLoadsAndSavesItsOwnKey) {
    using namespace AudioPageId;
    using R = SettingsRecord;
    const struct {
        int R::*key;
        int on, off;
    } switches[] = {
        {&R::vk_audio_enable, SoundRecordingOn, SoundRecordingOff},
        {&R::vk_voice_system, SystemAlertOn, SystemAlertOff},
        {&R::vk_voice_rec_event, EventAlertOn, EventAlertOff},
        {&R::vk_voice_rec_always, DrivingAlertOn, DrivingAlertOff},
        {&R::vk_voice_rec_parking, ParkingAlertOn, ParkingAlertOff},
    };
    for (const auto& off : switches) {
        SettingsRecord record = DefaultSettingsRecord();
        record.*off.key = 0;
        record.vk_audio_volume = 3;
        page.LoadPage(record, 0);
        for (const auto& s : switches) {
            EXPECT_EQ(Checked(s.on), &s != &off) << s.on;
            EXPECT_EQ(Checked(s.off), &s == &off) << s.off;
        }
        EXPECT_EQ(Text(VolumeReadout), "3");
        EXPECT_EQ(Collected().vk_audio_volume, 3);
        for (const auto& s : switches)
            EXPECT_EQ(Collected().*s.key, &s == &off ? 0 : 1) << s.on;
    }
}

TEST_F(AudioPageTest, StartsAtSevenAndDefaultsToFullVolumeWithEverySwitchOn) {
    using namespace AudioPageId;
    EXPECT_EQ(Find<SkinSlider>(Volume)->value(), 7);
    EXPECT_EQ(Text(VolumeReadout), "7");
    SettingsRecord silent;
    page.LoadPage(silent, 0);
    page.SetDefaults();
    EXPECT_EQ(Text(VolumeReadout), "10");
    const SettingsRecord saved = Collected();
    const SettingsRecord defaults = DefaultSettingsRecord();
    EXPECT_EQ(saved.vk_audio_volume, 10);
    EXPECT_EQ(saved.vk_audio_enable, defaults.vk_audio_enable);
    EXPECT_EQ(saved.vk_voice_system, 1);
    EXPECT_EQ(saved.vk_voice_rec_event, 1);
    EXPECT_EQ(saved.vk_voice_rec_always, 1);
    EXPECT_EQ(saved.vk_voice_rec_parking, 1);
}

} // namespace
