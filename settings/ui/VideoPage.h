#pragma once

#include "settings/ui/SettingsPage.h"

class SkinComboBox;
class SkinSlider;
class SkinLabel;

// The video page: resolution and quality of driving and parking recordings, the video output
// standard, the date/time and GPS speed overlays, and the brightness.
class VideoPage : public SettingsPage {
    Q_OBJECT
public:
    explicit VideoPage(QWidget* container);

    void LoadPage(const SettingsRecord& record, int loadedFiles) override;
    void CollectPage(SettingsRecord& record) const override;
    void SetDefaults() override;

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    SkinComboBox* m_driving = nullptr;
    SkinComboBox* m_parking = nullptr;
    SkinComboBox* m_output = nullptr;
    TwoWaySwitch m_dateTime;
    TwoWaySwitch m_gpsSpeed;
    SkinSlider* m_brightness = nullptr;
    SkinLabel* m_brightnessReadout = nullptr;
};
