#pragma once

#include "settings/ui/CSettingsPage.h"

#include <array>

class CNBLComboBox;
class CNblImageEdit;
class CNblImageSlider;
class CNblStaticTrans;

// The device page: the camera's Wi-Fi access point (name, password, switch-off timer, channel),
// the G sensor's sensitivity per axis while driving and while parked, the LED during parking
// recording and the motion sensor's sensitivity.
class CSettingsQZ3DeviceDlg : public CSettingsPage {
    Q_OBJECT
public:
    explicit CSettingsQZ3DeviceDlg(QWidget* container);

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
    CNblImageEdit* m_name = nullptr;
    CNblImageEdit* m_password = nullptr;
    CNBLComboBox* m_wifiOff = nullptr;
    CNBLComboBox* m_channel = nullptr;
    // Driving X, Y, Z, then parking X, Y, Z.
    std::array<CNblImageSlider*, 6> m_sensors{};
    std::array<CNblStaticTrans*, 6> m_sensorReadouts{};
    CNblImageSlider* m_motion = nullptr;
    CNblStaticTrans* m_motionReadout = nullptr;
};
