#pragma once

#include "settings/ui/SettingsPage.h"

class SkinComboBox;

// The recording page: continuous parking recording, the shutdown timer, the vehicle's battery
// voltage with the parking and shutdown voltages, and the order and shares in which the camera
// deletes recordings of each kind to make room.
class RecordingPage : public SettingsPage {
    Q_OBJECT
public:
    explicit RecordingPage(QWidget* container);

    void LoadPage(const SettingsRecord& record, int loadedFiles) override;
    void CollectPage(SettingsRecord& record) const override;
    void SetDefaults() override;

    // Refills both voltage lists for a 12 V or 24 V vehicle (any other value counts as 12).
    void FillVoltageLists(int vehicleVolts);

private:
    void OnVehicleVoltage();
    void OnDeletingOrder();
    bool TwentyFourVolts() const;

    TwoWaySwitch m_continuous;
    TwoWaySwitch m_manualVoltage;
    TwoWaySwitch m_drivingShutdown;
    SkinComboBox* m_shutdownTimer = nullptr;
    SkinComboBox* m_vehicle = nullptr;
    SkinComboBox* m_parkingVoltage = nullptr;
    SkinComboBox* m_shutdownVoltage = nullptr;
    SkinComboBox* m_order = nullptr;
    SkinComboBox* m_threeWay = nullptr;
    SkinComboBox* m_twoWay = nullptr;
};
