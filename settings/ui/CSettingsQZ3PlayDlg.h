#pragma once

#include "settings/ui/CSettingsPage.h"

class CNBLComboBox;
class CNblImageSlider;
class CNblStaticTrans;

// The video page: resolution and quality of driving and parking recordings, the video output
// standard, the date/time and GPS speed overlays, and the brightness.
class CSettingsQZ3PlayDlg : public CSettingsPage {
    Q_OBJECT
public:
    explicit CSettingsQZ3PlayDlg(QWidget* container);

    void LoadPage(const SettingsRecord& record, int loadedFiles) override;
    void CollectPage(SettingsRecord& record) const override;
    void SetDefaults() override;

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    CNBLComboBox* m_driving = nullptr;
    CNBLComboBox* m_parking = nullptr;
    CNBLComboBox* m_output = nullptr;
    TwoWaySwitch m_dateTime;
    TwoWaySwitch m_gpsSpeed;
    CNblImageSlider* m_brightness = nullptr;
    CNblStaticTrans* m_brightnessReadout = nullptr;
};
