#pragma once

#include "settings/TimeZones.h"
#include "settings/ui/SettingsPage.h"

#include <functional>
#include <optional>

class SkinLineEdit;

// The date and time page: whether and to what the camera's clock is set, and whether the camera
// takes its time from the GPS, in which zone.
class DateTimePage : public SettingsPage {
    Q_OBJECT
public:
    // The PC's standard offset in minutes east of GMT; nullopt when the system cannot tell.
    using ZoneSource = std::function<std::optional<int>()>;

    explicit DateTimePage(QWidget* container, ZoneSource pcZone = SystemStandardOffsetMinutes);

    void LoadPage(const SettingsRecord& record, int loadedFiles) override;
    void CollectPage(SettingsRecord& record) const override;
    void SetDefaults() override;

    int ZoneIndex() const { return m_zoneIndex; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OnChangeInputOn();
    void OnChangeInputOff();
    void ShowFieldText(SkinLineEdit* field, const QString& text);
    void OnGpsSyncOn();
    void OnGpsSyncOff();
    void OnDateStep(int step);
    void OnTimeStep(int step);
    void OnZoneStep(int step);
    void ShowZone(int index);
    void EnableDateTime(bool enabled);
    void EnableZone(bool enabled);

    const ZoneSource m_pcZone;
    int m_zoneIndex = 0;
    QStringList m_timeZoneLabels;
    TwoWaySwitch m_changeInput;
    TwoWaySwitch m_gpsSync;
    SkinLineEdit* m_date = nullptr;
    SkinLineEdit* m_time = nullptr;
    SkinLineEdit* m_zone = nullptr;
    QList<QWidget*> m_dateTimeControls;
    QList<QWidget*> m_zoneControls;
};
