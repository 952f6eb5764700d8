#include "settings/SettingsDefaults.h"

SettingsRecord DefaultSettingsRecord() {
    SettingsRecord r;
    r.vk_display_brightness = 5;
    r.vk_local_display = 1; // NTSC
    r.vk_park_voltage = 12.7;
    r.vk_park_shutdown_voltage = 11.9;
    r.vk_use_drive_shutdown_voltage = 1;
    r.vk_audio_enable = 1;
    r.vk_osd_datetime = 1;
    r.vk_limit_space_type = 2; // Normal, Event, Motion at 50 %/30 %/20 %
    r.vk_voice_system = 1;
    r.vk_voice_rec_always = 1;
    r.vk_voice_rec_event = 1;
    r.vk_voice_rec_parking = 1;
    r.vk_audio_volume = 10;
    r.vk_gsensor_intensity_always_x = 4;
    r.vk_gsensor_intensity_always_y = 4;
    r.vk_gsensor_intensity_always_z = 4;
    r.vk_gsensor_intensity_parking_x = 4;
    r.vk_gsensor_intensity_parking_y = 4;
    r.vk_gsensor_intensity_parking_z = 4;
    r.vk_gsensor_motionsensitivity = 1; // normal
    r.vk_osd_gps_speed_display = 1;
    r.vk_led_rec_parking = 1;
    r.vk_wifi_off_timer_sec = 1; // 5 minutes
    r.vk_wifi_channel = 1;
    r.vk_wifi_ap_ssid = SsidPrefix;
    r.vk_wifi_ap_pwd = QStringLiteral("5820174639");
    return r;
}
