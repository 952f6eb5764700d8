#pragma once

#include "settings/ui/CSettingsPage.h"

class CNblImageSlider;
class CNblStaticTrans;

// The audio page: the camera's volume, sound recording and its four voice alerts.
class CSettingsQZ3SoundDlg : public CSettingsPage {
    Q_OBJECT
public:
    explicit CSettingsQZ3SoundDlg(QWidget* container);

    void LoadPage(const SettingsRecord& record, int loadedFiles) override;
    void CollectPage(SettingsRecord& record) const override;
    void SetDefaults() override;

private:
    CNblImageSlider* m_volume = nullptr;
    CNblStaticTrans* m_volumeReadout = nullptr;
    // Sound recording, then the system, event, driving and parking alerts.
    std::array<TwoWaySwitch, 5> m_switches;
};
