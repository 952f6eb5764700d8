#pragma once

#include "settings/ui/SettingsPage.h"

#include <array>

class SkinComboBox;
class SkinLineEdit;
class SkinSlider;
class SkinLabel;

// The device page: the camera's Wi-Fi access point (name, password, switch-off timer, channel),
// the G sensor's sensitivity per axis while driving and while parked, the LED during parking
// recording and the motion sensor's sensitivity.
class DevicePage : public SettingsPage {
    Q_OBJECT
public:
    explicit DevicePage(QWidget* container);

    void LoadPage(const SettingsRecord& record, int loadedFiles) override;
    void CollectPage(SettingsRecord& record) const override;
    void SetDefaults() override;

    // The last name of the field that began with the camera's prefix.
    const QString& LastGoodName() const { return m_lastGoodName; }

private:
    void OnChangeInputOn();
    void EnableFields(bool enabled);
    void ShowPassword(bool shown);
    void OnNameChanged(const QString& text);
    void OnFocusChanged(QWidget* old, QWidget* now);
    void CheckPassword(QWidget* focusedNow);

    QString m_lastGoodName;
    TwoWaySwitch m_changeInput;
    TwoWaySwitch m_showPassword;
    TwoWaySwitch m_led;
    SkinLineEdit* m_name = nullptr;
    SkinLineEdit* m_password = nullptr;
    SkinComboBox* m_wifiOff = nullptr;
    SkinComboBox* m_channel = nullptr;
    // Driving X, Y, Z, then parking X, Y, Z.
    std::array<SkinSlider*, 6> m_sensors{};
    std::array<SkinLabel*, 6> m_sensorReadouts{};
    SkinSlider* m_motion = nullptr;
    SkinLabel* m_motionReadout = nullptr;
};
