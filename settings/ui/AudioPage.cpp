#include "settings/ui/AudioPage.h"

#include "resources/LocalizedStrings.h"
#include "settings/SettingsDefaults.h"
#include "settings/ui/SettingsControlIds.h"
#include "skin/SkinLabel.h"
#include "skin/SkinSlider.h"

namespace {

using namespace AudioPageId;

// One switch of the page: its title (a heading for sound recording, a label for the alerts),
// its ON and OFF labels and buttons, and the key it edits.
struct SwitchRow {
    int titleId;
    int stringId;
    QRect titleRect;
    int onLabelId, offLabelId;
    QPoint onLabelAt, offLabelAt;
    int onId, offId;
    QPoint onAt, offAt;
    int SettingsRecord::*key;
};

using R = SettingsRecord;

constexpr SwitchRow Switches[] = {
    {SoundRecordingHeading,
     345,
     {320, 15, 150, 17},
     SoundRecordingOnLabel,
     SoundRecordingOffLabel,
     {322, 43},
     {393, 43},
     SoundRecordingOn,
     SoundRecordingOff,
     {349, 40},
     {424, 40},
     &R::vk_audio_enable},
    {SystemAlertLabel,
     349,
     {16, 112, 120, 15},
     SystemAlertOnLabel,
     SystemAlertOffLabel,
     {151, 112},
     {213, 112},
     SystemAlertOn,
     SystemAlertOff,
     {178, 109},
     {243, 109},
     &R::vk_voice_system},
    {EventAlertLabel,
     352,
     {16, 137, 120, 15},
     EventAlertOnLabel,
     EventAlertOffLabel,
     {151, 137},
     {213, 137},
     EventAlertOn,
     EventAlertOff,
     {178, 137},
     {243, 137},
     &R::vk_voice_rec_event},
    {DrivingAlertLabel,
     355,
     {16, 162, 140, 15},
     DrivingAlertOnLabel,
     DrivingAlertOffLabel,
     {151, 162},
     {213, 162},
     DrivingAlertOn,
     DrivingAlertOff,
     {178, 162},
     {243, 162},
     &R::vk_voice_rec_always},
    {ParkingAlertLabel,
     358,
     {16, 187, 140, 15},
     ParkingAlertOnLabel,
     ParkingAlertOffLabel,
     {151, 187},
     {213, 187},
     ParkingAlertOn,
     ParkingAlertOff,
     {178, 187},
     {243, 187},
     &R::vk_voice_rec_parking},
};

constexpr QSize OnOffLabelSize{30, 15};

} // namespace

AudioPage::AudioPage(QWidget* container) : SettingsPage(container) {
    Heading(VolumeHeading, {14, 15, 80, 15}, LoadLangString(344));
    Heading(VoiceHeading, {14, 84, 120, 15}, LoadLangString(348));
    m_volumeReadout = Readout(VolumeReadout, {211, 42, 30, 15}, QStringLiteral("7"), true);
    m_volume = Slider(Volume, {16, 40, 179, 15}, 10, m_volumeReadout,
                      [](int position) { return QString::number(position); });
    m_volume->setValue(7);

    for (size_t i = 0; i < m_switches.size(); ++i) {
        const SwitchRow& row = Switches[i];
        if (row.titleId == SoundRecordingHeading)
            Heading(row.titleId, row.titleRect, LoadLangString(row.stringId));
        else
            Label(row.titleId, row.titleRect, LoadLangString(row.stringId));
        Label(row.onLabelId, QRect(row.onLabelAt, OnOffLabelSize), QStringLiteral("ON"));
        Label(row.offLabelId, QRect(row.offLabelAt, OnOffLabelSize), QStringLiteral("OFF"));
        m_switches[i] = Switch(row.onId, row.onAt, row.offId, row.offAt);
    }
    AddSeparator(16, 292, 68, 68);
}

void AudioPage::LoadPage(const SettingsRecord& record, int) {
    m_volume->setValue(record.vk_audio_volume);
    m_volumeReadout->setText(QString::number(record.vk_audio_volume));
    for (size_t i = 0; i < m_switches.size(); ++i)
        m_switches[i].Set(record.*Switches[i].key != 0);
}

void AudioPage::CollectPage(SettingsRecord& record) const {
    record.vk_audio_volume = m_volume->value();
    for (size_t i = 0; i < m_switches.size(); ++i)
        record.*Switches[i].key = m_switches[i].Value(1);
}

void AudioPage::SetDefaults() {
    LoadPage(DefaultSettingsRecord(), 0);
}
