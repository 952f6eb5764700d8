#include "settings/ui/VideoPage.h"

#include "resources/LocalizedStrings.h"
#include "settings/SettingsDefaults.h"
#include "settings/ui/SettingsControlIds.h"
#include "skin/SkinComboBox.h"
#include "skin/SkinLabel.h"
#include "skin/SkinSlider.h"

#include <QMouseEvent>

namespace {

using namespace VideoPageId;

constexpr TextRow Headings[] = {
    {ResolutionHeading, 329, {14, 15, 80, 15}},  {OutputHeading, 335, {14, 124, 150, 15}},
    {DateTimeHeading, 337, {320, 15, 120, 15}},  {BrightnessHeading, 340, {14, 199, 60, 15}},
    {GpsSpeedHeading, 341, {320, 124, 170, 15}},
};

constexpr TextRow Labels[] = {
    {DrivingLabel, 330, {16, 43, 150, 15}},
    {ParkingLabel, 331, {16, 74, 150, 15}},
    {ModeLabel, 336, {16, 152, 40, 15}},
};

// Both resolution lists, entry by entry, with the two keys each entry stands for.
struct Resolution {
    const char* text;
    int mode;
    int quality;
};

constexpr Resolution Resolutions[] = {
    {"Full HD (1920x1080, HQ)", 0, 0},
    {"Full HD (1920x1080, LQ)", 0, 1},
    {"HD (1280x720, HQ)", 1, 0},
    {"HD (1280x720, LQ)", 1, 1},
};

// The output standard list: entry 1 is PAL, stored as 2; NTSC is stored as 1.
constexpr int PalEntry = 1;
constexpr int StoredNtsc = 1;
constexpr int StoredPal = 2;

QStringList ResolutionTexts() {
    QStringList texts;
    for (const Resolution& resolution : Resolutions)
        texts.append(QString::fromLatin1(resolution.text));
    return texts;
}

void SelectResolution(SkinComboBox* list, int mode, int quality) {
    int entry = 0; // a pair the camera does not know shows the first entry
    for (int i = 0; i < int(std::size(Resolutions)); ++i)
        if (Resolutions[i].mode == mode && Resolutions[i].quality == quality)
            entry = i;
    list->setCurrentIndex(entry);
}

void CollectResolution(const SkinComboBox* list, int& mode, int& quality) {
    const int entry = list->currentIndex();
    const bool known = entry >= 0 && entry < int(std::size(Resolutions));
    mode = known ? Resolutions[entry].mode : 0;
    quality = known ? Resolutions[entry].quality : 0;
}

} // namespace

VideoPage::VideoPage(QWidget* container) : SettingsPage(container) {
    AddHeadings(Headings);
    AddLabels(Labels);
    m_driving = List(DrivingResolution, {95, 39}, ResolutionTexts());
    m_parking = List(ParkingResolution, {95, 73}, ResolutionTexts());
    m_output = List(OutputStandard, {95, 148}, {QStringLiteral("NTSC"), QStringLiteral("PAL")});

    Label(DateTimeOnLabel, {322, 43, 40, 15}, QStringLiteral("ON"));
    Label(DateTimeOffLabel, {393, 43, 40, 15}, QStringLiteral("OFF"));
    m_dateTime = Switch(DateTimeOn, {349, 40}, DateTimeOff, {424, 40});
    Label(GpsSpeedOnLabel, {322, 152, 40, 15}, QStringLiteral("ON"));
    Label(GpsSpeedOffLabel, {393, 152, 40, 15}, QStringLiteral("OFF"));
    m_gpsSpeed = Switch(GpsSpeedOn, {349, 149}, GpsSpeedOff, {424, 149});

    m_brightnessReadout = Readout(BrightnessReadout, {211, 226, 40, 15}, QStringLiteral("5"), true);
    m_brightness = Slider(Brightness, {16, 224, 179, 15}, 10, m_brightnessReadout,
                          [](int position) { return QString::number(position); });

    AddSeparator(16, 292, 108, 133);
    AddSeparator(16, 292, 183, 208);
    AddSeparator(322, 598, 108, 133);
}

void VideoPage::LoadPage(const SettingsRecord& record, int) {
    SelectResolution(m_driving, record.vk_display_mode, record.vk_display_quality);
    SelectResolution(m_parking, record.vk_display_mode_park, record.vk_display_quality_park);
    m_output->setCurrentIndex(record.vk_local_display == StoredPal ? PalEntry : 0);
    m_dateTime.Set(record.vk_osd_datetime != 0);
    m_brightness->setValue(record.vk_display_brightness);
    m_brightnessReadout->setText(QString::number(record.vk_display_brightness));
    m_gpsSpeed.Set(record.vk_osd_gps_speed_display != 0);
}

void VideoPage::CollectPage(SettingsRecord& record) const {
    CollectResolution(m_driving, record.vk_display_mode, record.vk_display_quality);
    CollectResolution(m_parking, record.vk_display_mode_park, record.vk_display_quality_park);
    record.vk_local_display = m_output->currentIndex() == PalEntry ? StoredPal : StoredNtsc;
    record.vk_osd_datetime = m_dateTime.Value(0);
    record.vk_display_brightness = m_brightness->value();
    record.vk_osd_gps_speed_display = m_gpsSpeed.Value(0);
}

void VideoPage::SetDefaults() {
    LoadPage(DefaultSettingsRecord(), 0);
}

void VideoPage::mousePressEvent(QMouseEvent* event) {
    update();
    event->ignore(); // the dialog behind is dragged by it
}
