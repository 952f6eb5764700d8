#include "settings/SettingsFile.h"
#include "settings/SettingsKeys.h"
#include "tests/settings/DefaultSettings.h"

#include <climits>
#include <functional>
#include <gtest/gtest.h>
#include <set>
#include <vector>

namespace {

struct LineCase {
    std::vector<std::string_view> lines;
    std::function<void(SettingsRecord&)> expected; // applied to a reset record
};

TEST(SettingLine, StoresKeysExactlyAndValuesByTheirType) {
    const LineCase cases[] = {
        {{"vk_audio_volume=7"}, [](SettingsRecord& r) { r.vk_audio_volume = 7; }},
        {{" vk_audio_volume=7", "VK_AUDIO_VOLUME=7", "vk_audio_volume =7"}, [](SettingsRecord&) {}},
        {{"=5", "vk_audio_volume", "", "[settings]", "vk_unknown=3"}, [](SettingsRecord&) {}},
        {{"vk_wifi_ap_ssid=VESKA-QX5=1"},
         [](SettingsRecord& r) { r.vk_wifi_ap_ssid = "VESKA-QX5=1"; }},
        {{"vk_wifi_channel=6", "vk_audio_volume=3", "vk_wifi_channel=9"},
         [](SettingsRecord& r) {
             r.vk_wifi_channel = 9;
             r.vk_audio_volume = 3;
         }},
        {{"vk_audio_volume=abc"}, [](SettingsRecord&) {}},
        {{"vk_audio_volume=12x"}, [](SettingsRecord& r) { r.vk_audio_volume = 12; }},
        {{"vk_gps_timezone= \t-530"}, [](SettingsRecord& r) { r.vk_gps_timezone = -530; }},
        {{"vk_wifi_channel=99999999999"}, [](SettingsRecord& r) { r.vk_wifi_channel = INT_MAX; }},
        {{"vk_use_drive_shutdown_voltage=1.9"},
         [](SettingsRecord& r) { r.vk_use_drive_shutdown_voltage = 1; }},
        {{"vk_use_drive_shutdown_voltage=-1.9"},
         [](SettingsRecord& r) { r.vk_use_drive_shutdown_voltage = -1; }},
        {{"vk_use_drive_shutdown_voltage=1e12"},
         [](SettingsRecord& r) { r.vk_use_drive_shutdown_voltage = INT_MAX; }},
        {{"vk_park_voltage=12.65", "vk_park_shutdown_voltage= 1.19e1V"},
         [](SettingsRecord& r) {
             r.vk_park_voltage = 12.65;
             r.vk_park_shutdown_voltage = 11.9;
         }},
        {{"vk_park_voltage=.5"}, [](SettingsRecord& r) { r.vk_park_voltage = 0.5; }},
        {{"vk_park_voltage=volts", "vk_park_shutdown_voltage=inf"}, [](SettingsRecord&) {}},
        {{"vk_fw_version= 1.02 ", "vk_build_number="},
         [](SettingsRecord& r) { r.vk_fw_version = " 1.02 "; }},
        {{"vk_wifi_ap_ssid=Caf\xE9\x01"},
         [](SettingsRecord& r) { r.vk_wifi_ap_ssid = QString::fromUtf8("Caf\u00E9\u0001"); }},
        {{"vk_date=2012/10/16", "vk_time=19:31:01"},
         [](SettingsRecord& r) {
             r.vk_date = "2012/10/16";
             r.vk_time = "19:31:01";
         }},
    };
    for (const LineCase& test : cases) {
        SettingsRecord record;
        for (std::string_view line : test.lines)
            ParseSettingLine(line, record);
        SettingsRecord expected;
        test.expected(expected);
        EXPECT_TRUE(record == expected) << test.lines.front();
    }
}

TEST(SettingLine, EveryKeyOfTheFileHasAField) {
    EXPECT_EQ(SettingsKeys().size(), 43u);
    for (const SettingKey& key : SettingsKeys()) {
        SettingsRecord record;
        ParseSettingLine(std::string(key.name) + "=1", record);
        EXPECT_FALSE(record == SettingsRecord()) << key.name;
    }
}

// Changes one field of a record, whatever its type.
void Change(SettingsRecord& record, const SettingField& field) {
    std::visit(
        [&](auto member) {
            if constexpr (std::is_same_v<decltype(member), QString SettingsRecord::*>)
                record.*member += QLatin1String("x");
            else
                record.*member += 1;
        },
        field);
}

TEST(RecordsDiffer, ComparesEveryFieldTheUserEdits) {
    const std::set<std::string_view> notCompared = {"vk_wifi_ap_pwd_encript", "vk_fw_version",
                                                    "vk_build_number", "pcm_update_flag"};
    const SettingsRecord reference = DefaultSettings();
    EXPECT_EQ(RecordsDiffer(reference, reference), 0);
    for (const SettingKey& key : SettingsKeys()) {
        SettingsRecord collected = reference;
        Change(collected, key.field);
        EXPECT_EQ(RecordsDiffer(collected, reference), notCompared.count(key.name) ? 0 : 1)
            << key.name;
    }
}

TEST(RecordsDiffer, ComparesVoltagesAtOneDecimal) {
    const std::pair<double, int> cases[] = {
        {12.70, 0}, {12.74, 0}, {12.66, 0}, {12.76, 1}, {12.6, 1}};
    for (const auto& [volts, differ] : cases) {
        SettingsRecord collected = DefaultSettings();
        collected.vk_park_voltage = volts;
        EXPECT_EQ(RecordsDiffer(collected, DefaultSettings()), differ) << volts;
        collected = DefaultSettings();
        collected.vk_park_shutdown_voltage = volts - 0.8;
        EXPECT_EQ(RecordsDiffer(collected, DefaultSettings()), differ) << volts - 0.8;
    }
}

} // namespace
