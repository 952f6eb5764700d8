#pragma once

#include "settings/ui/CSettingsPage.h"

class CNBLComboBox;

// The recording page: continuous parking recording, the shutdown timer, the vehicle's battery
// voltage with the parking and shutdown voltages, and the order and shares in which the camera
// deletes recordings of each kind to make room.
class CSettingsQZ3RecordDlg : public CSettingsPage {
    Q_OBJECT
public:
    explicit CSettingsQZ3RecordDlg(QWidget* container);

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
    CNBLComboBox* m_shutdownTimer = nullptr;
    CNBLComboBox* m_vehicle = nullptr;
    CNBLComboBox* m_parkingVoltage = nullptr;
    CNBLComboBox* m_shutdownVoltage = nullptr;
    CNBLComboBox* m_order = nullptr;
    CNBLComboBox* m_threeWay = nullptr;
    CNBLComboBox* m_twoWay = nullptr;
};
