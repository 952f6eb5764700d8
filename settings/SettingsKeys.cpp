#include "settings/SettingsKeys.h"

#include <charconv>

namespace {

using R = SettingsRecord;

constexpr SettingKey Keys[] = {
    {"vk_date", &R::vk_date, KeyRule::OmittedWhenEmpty},
    {"vk_time", &R::vk_time, KeyRule::OmittedWhenEmpty},
    {"vk_gps_sync_time", &R::vk_gps_sync_time, KeyRule::Plain},
    {"vk_gps_timezone", &R::vk_gps_timezone, KeyRule::OmittedUnlessSync},
    {"vk_display_mode", &R::vk_display_mode, KeyRule::Plain},
    {"vk_display_quality", &R::vk_display_quality, KeyRule::Plain},
    {"vk_display_mode_park", &R::vk_display_mode_park, KeyRule::Plain},
    {"vk_display_quality_park", &R::vk_display_quality_park, KeyRule::Plain},
    {"vk_display_brightness", &R::vk_display_brightness, KeyRule::Plain},
    {"vk_local_display", &R::vk_local_display, KeyRule::Plain},
    {"vk_use_rec_parking_always", &R::vk_use_rec_parking_always, KeyRule::Plain},
    {"vk_park_voltage_manual_flag", &R::vk_park_voltage_manual_flag, KeyRule::Plain},
    {"vk_park_voltage", &R::vk_park_voltage, KeyRule::Plain},
    {"vk_park_shutdown_voltage", &R::vk_park_shutdown_voltage, KeyRule::Plain},
    {"vk_park_duration_min", &R::vk_park_duration_min, KeyRule::Plain},
    {"vk_use_drive_shutdown_voltage", &R::vk_use_drive_shutdown_voltage, KeyRule::ReadAsFraction},
    {"vk_audio_enable", &R::vk_audio_enable, KeyRule::Plain},
    {"vk_osd_datetime", &R::vk_osd_datetime, KeyRule::Plain},
    {"vk_limit_space_type", &R::vk_limit_space_type, KeyRule::Plain},
    {"vk_limit_space_percent_type", &R::vk_limit_space_percent_type, KeyRule::Plain},
    {"vk_voice_system", &R::vk_voice_system, KeyRule::Plain},
    {"vk_voice_rec_always", &R::vk_voice_rec_always, KeyRule::Plain},
    {"vk_voice_rec_event", &R::vk_voice_rec_event, KeyRule::Plain},
    {"vk_voice_rec_parking", &R::vk_voice_rec_parking, KeyRule::Plain},
    {"vk_audio_volume", &R::vk_audio_volume, KeyRule::Plain},
    {"vk_gsensor_intensity_always_x", &R::vk_gsensor_intensity_always_x, KeyRule::Plain},
    {"vk_gsensor_intensity_always_y", &R::vk_gsensor_intensity_always_y, KeyRule::Plain},
    {"vk_gsensor_intensity_always_z", &R::vk_gsensor_intensity_always_z, KeyRule::Plain},
    {"vk_gsensor_intensity_parking_x", &R::vk_gsensor_intensity_parking_x, KeyRule::Plain},
    {"vk_gsensor_intensity_parking_y", &R::vk_gsensor_intensity_parking_y, KeyRule::Plain},
    {"vk_gsensor_intensity_parking_z", &R::vk_gsensor_intensity_parking_z, KeyRule::Plain},
    {"vk_gsensor_motionsensitivity", &R::vk_gsensor_motionsensitivity, KeyRule::Plain},
    {"vk_osd_gps_speed_display", &R::vk_osd_gps_speed_display, KeyRule::Plain},
    {"vk_led_rec_parking", &R::vk_led_rec_parking, KeyRule::Plain},
    {"vk_wifi_off_timer_sec", &R::vk_wifi_off_timer_sec, KeyRule::Plain},
    {"vk_wifi_channel", &R::vk_wifi_channel, KeyRule::Plain},
    {"vk_wifi_ap_ssid", &R::vk_wifi_ap_ssid, KeyRule::OmittedWhenEmpty},
    {"vk_wifi_ap_pwd", &R::vk_wifi_ap_pwd, KeyRule::Password},
    {"vk_wifi_ap_pwd_encript", &R::vk_wifi_ap_pwd_encript, KeyRule::PasswordFlag},
    {"vk_fw_version", &R::vk_fw_version, KeyRule::DeviceText},
    {"vk_build_number", &R::vk_build_number, KeyRule::DeviceText},
    {"pcm_version", &R::pcm_version, KeyRule::Plain},
    {"pcm_update_flag", &R::pcm_update_flag, KeyRule::UpdateFlag},
};

} // namespace

std::span<const SettingKey> SettingsKeys() {
    return Keys;
}

const SettingKey* FindSettingKey(std::string_view name) {
    for (const SettingKey& key : Keys)
        if (key.name == name)
            return &key;
    return nullptr;
}

QByteArray VoltageText(double volts) {
    // to_chars rounds as printf does, without the process locale's decimal comma; the buffer
    // holds the widest double.
    char text[400];
    const auto end = std::to_chars(text, text + sizeof text, volts, std::chars_format::fixed, 1);
    return QByteArray(text, end.ptr - text);
}
