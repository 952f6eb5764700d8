#pragma once

#include <QString>

// What Write returns. 1 and 0 are what callers of the device's format know; the refusals say
// which field kept the file from being written.
namespace SettingsWriteResult {
constexpr int Written = 1;
constexpr int CannotWrite = 0;      // the folder or the file could not be made or written
constexpr int PasswordTooLong = -1; // more than MaxStoredWifiPasswordLength characters
constexpr int TextNotWritable = -2; // a character above 255 or a line end in a text, a NUL in
                                    // the password
} // namespace SettingsWriteResult

// One configuration of the camera, one field per key of its settings file. A new or reset record
// has every number 0 and every text empty. The Wi-Fi password is held as plain text.
struct SettingsRecord {
    QString vk_date; // "%04d/%02d/%02d" to set the clock, or empty
    QString vk_time; // "%02d:%02d:%02d" to set the clock, or empty
    int vk_gps_sync_time = 0;
    int vk_gps_timezone = 0; // signed hhmm
    int vk_display_mode = 0;
    int vk_display_quality = 0;
    int vk_display_mode_park = 0;
    int vk_display_quality_park = 0;
    int vk_display_brightness = 0;
    int vk_local_display = 0;
    int vk_use_rec_parking_always = 0;
    int vk_park_voltage_manual_flag = 0;
    double vk_park_voltage = 0.0;
    double vk_park_shutdown_voltage = 0.0;
    int vk_park_duration_min = 0;
    int vk_use_drive_shutdown_voltage = 0;
    int vk_audio_enable = 0;
    int vk_osd_datetime = 0;
    int vk_limit_space_type = 0;
    int vk_limit_space_percent_type = 0;
    int vk_voice_system = 0;
    int vk_voice_rec_always = 0;
    int vk_voice_rec_event = 0;
    int vk_voice_rec_parking = 0;
    int vk_audio_volume = 0;
    int vk_gsensor_intensity_always_x = 0;
    int vk_gsensor_intensity_always_y = 0;
    int vk_gsensor_intensity_always_z = 0;
    int vk_gsensor_intensity_parking_x = 0;
    int vk_gsensor_intensity_parking_y = 0;
    int vk_gsensor_intensity_parking_z = 0;
    int vk_gsensor_motionsensitivity = 0;
    int vk_osd_gps_speed_display = 0;
    int vk_led_rec_parking = 0;
    int vk_wifi_off_timer_sec = 0;
    int vk_wifi_channel = 0;
    QString vk_wifi_ap_ssid;
    QString vk_wifi_ap_pwd;
    int vk_wifi_ap_pwd_encript = 0; // 1 when the file holds the password encoded
    QString vk_fw_version;
    QString vk_build_number;
    QString pcm_version;
    int pcm_update_flag = 0;

    void Reset() { *this = SettingsRecord(); }
    bool operator==(const SettingsRecord&) const = default;

    // Writes the record as a settings file in the order of its keys, creating the file's folder
    // (one level) when missing. The file is written beside its target and replaces it only once
    // complete and on the card, so that a full or pulled card keeps the old file whole. A written
    // password is encoded, and the record then flags it with vk_wifi_ap_pwd_encript = 1.
    // Returns a SettingsWriteResult; a refused record leaves everything untouched. When the file
    // cannot be written, `failure` (if given) receives what failed and why.
    int Write(const QString& path, QString* failure = nullptr);
    // Written when the record's fields fit the file, else the refusal Write would give.
    int CheckWritable() const;
};
