#pragma once

#include "settings/ui/SettingsPage.h"

class SkinSlider;
class SkinLabel;

// The audio page: the camera's volume, sound recording and its four voice alerts.
class AudioPage : public SettingsPage {
    Q_OBJECT
public:
    explicit AudioPage(QWidget* container);

    void LoadPage(const SettingsRecord& record, int loadedFiles) override;
    void CollectPage(SettingsRecord& record) const override;
    void SetDefaults() override;

private:
    SkinSlider* m_volume = nullptr;
    SkinLabel* m_volumeReadout = nullptr;
    // Sound recording, then the system, event, driving and parking alerts.
    std::array<TwoWaySwitch, 5> m_switches;
};
