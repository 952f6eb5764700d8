#pragma once

#include "settings/SettingsRecord.h"
#include "settings/WifiPassword.h"

// The record the settings dialog produces after its settings are initialized, with the device
// page's name and password switched off, and the file the program writes from it.
inline SettingsRecord DefaultSettings() {
    SettingsRecord r;
    r.vk_display_brightness = 5;
    r.vk_local_display = 1;
    r.vk_park_voltage = 12.7;
    r.vk_park_shutdown_voltage = 11.9;
    r.vk_use_drive_shutdown_voltage = 1;
    r.vk_audio_enable = 1;
    r.vk_osd_datetime = 1;
    r.vk_limit_space_type = 2;
    r.vk_voice_system = 1;
    r.vk_voice_rec_always = 1;
    r.vk_voice_rec_event = 1;
    r.vk_voice_rec_parking = 1;
    r.vk_audio_volume = 10;
    r.vk_gsensor_intensity_always_x = r.vk_gsensor_intensity_always_y = 4;
    r.vk_gsensor_intensity_always_z = 4;
    r.vk_gsensor_intensity_parking_x = r.vk_gsensor_intensity_parking_y = 4;
    r.vk_gsensor_intensity_parking_z = 4;
    r.vk_gsensor_motionsensitivity = 1;
    r.vk_osd_gps_speed_display = 1;
    r.vk_led_rec_parking = 1;
    r.vk_wifi_off_timer_sec = 1;
    r.vk_wifi_channel = 1;
    r.pcm_version = "1.1.5";
    r.pcm_update_flag = 1;
    return r;
}

inline const char DefaultSettingsFile[] =
    "vk_gps_sync_time=0\r\nvk_display_mode=0\r\nvk_display_quality=0\r\nvk_display_mode_park=0\r\n"
    "vk_display_quality_park=0\r\nvk_display_brightness=5\r\nvk_local_display=1\r\n"
    "vk_use_rec_parking_always=0\r\nvk_park_voltage_manual_flag=0\r\nvk_park_voltage=12.7\r\n"
    "vk_park_shutdown_voltage=11.9\r\nvk_park_duration_min=0\r\n"
    "vk_use_drive_shutdown_voltage=1\r\nvk_audio_enable=1\r\nvk_osd_datetime=1\r\n"
    "vk_limit_space_type=2\r\nvk_limit_space_percent_type=0\r\nvk_voice_system=1\r\n"
    "vk_voice_rec_always=1\r\nvk_voice_rec_event=1\r\nvk_voice_rec_parking=1\r\n"
    "vk_audio_volume=10\r\nvk_gsensor_intensity_always_x=4\r\nvk_gsensor_intensity_always_y=4\r\n"
    "vk_gsensor_intensity_always_z=4\r\nvk_gsensor_intensity_parking_x=4\r\n"
    "vk_gsensor_intensity_parking_y=4\r\nvk_gsensor_intensity_parking_z=4\r\n"
    "vk_gsensor_motionsensitivity=1\r\nvk_osd_gps_speed_display=1\r\nvk_led_rec_parking=1\r\n"
    "vk_wifi_off_timer_sec=1\r\nvk_wifi_channel=1\r\nvk_fw_version=\r\nvk_build_number=\r\n"
    "pcm_version=1.1.5\r\npcm_update_flag=1\r\n";

// The same file with the camera's own access point, as the settings window writes it after
// "Initialize all settings.".
inline QByteArray DefaultSettingsFileWithAccessPoint() {
    return QByteArray(DefaultSettingsFile)
        .replace("vk_wifi_channel=1\r\n",
                 "vk_wifi_channel=1\r\nvk_wifi_ap_ssid=VESKA-QX5\r\nvk_wifi_ap_pwd=" +
                     EncodeWifiPassword("5820174639")->toLatin1() +
                     "\r\nvk_wifi_ap_pwd_encript=1\r\n");
}
