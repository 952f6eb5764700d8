#include "settings/ui/RecordingPage.h"

#include "resources/LocalizedStrings.h"
#include "settings/SettingsDefaults.h"
#include "settings/ui/SettingsControlIds.h"
#include "skin/SkinButton.h"
#include "skin/SkinComboBox.h"

#include <cmath>

namespace {

using namespace RecordingPageId;

constexpr TextRow Headings[] = {
    {ParkingHeading, 361, {14, 15, 120, 15}},
    {DeletionHeading, 372, {320, 15, 200, 15}},
};

constexpr TextRow Labels[] = {
    {ContinuousLabel, 362, {16, 43, 180, 15}},       {ShutdownTimerLabel, 365, {16, 77, 80, 30}},
    {VehicleVoltageLabel, 366, {16, 111, 80, 30}},   {ManualVoltageLabel, 367, {21, 145, 200, 15}},
    {ParkingVoltageLabel, 370, {21, 179, 80, 30}},   {ShutdownVoltageLabel, 371, {21, 213, 80, 30}},
    {DrivingShutdownLabel, 463, {21, 247, 200, 30}}, {DeletingOrderLabel, 373, {322, 43, 80, 15}},
    {AllocationLabel, 374, {322, 79, 300, 15}},
};

// One ON/OFF switch with its two labels; all three stand in the same two columns.
struct SwitchRow {
    int onLabelId, offLabelId;
    int labelY;
    int onId, offId;
    int buttonY;
};

constexpr SwitchRow ContinuousRow{ContinuousOnLabel, ContinuousOffLabel, 43,
                                  ContinuousOn,      ContinuousOff,      40};
constexpr SwitchRow ManualRow{ManualVoltageOnLabel, ManualVoltageOffLabel, 145,
                              ManualVoltageOn,      ManualVoltageOff,      142};
constexpr SwitchRow DrivingRow{DrivingShutdownOnLabel, DrivingShutdownOffLabel, 247,
                               DrivingShutdownOn,      DrivingShutdownOff,      244};

// A vehicle's voltage lists: parking from parkingFirst, shutdown from shutdownFirst, in steps of
// 0.1 V, computed in single precision as the camera's own tables are.
struct VoltageTable {
    float parkingFirst;
    int parkingCount;
    float shutdownFirst;
    int shutdownCount;
};

constexpr VoltageTable TwelveVolts{12.4f, 8, 11.7f, 7};
constexpr VoltageTable TwentyFourVoltsTable{24.8f, 15, 23.4f, 13};
constexpr float VoltageStep = 0.1f;
// Stored parking voltages above this mean a 24 V vehicle.
constexpr double TwentyFourVoltThreshold = 20.0;

// Where each list stands when the vehicle list changes.
constexpr int TwelveVoltParkingEntry = 3;  // 12.7 V
constexpr int TwelveVoltShutdownEntry = 2; // 11.9 V
constexpr int TwentyFourParkingEntry = 6;  // 25.4 V
constexpr int TwentyFourShutdownEntry = 4; // 23.8 V
constexpr int FilledParkingEntry = 4;
constexpr int FilledShutdownEntry = 3;

const VoltageTable& TableFor(bool twentyFour) {
    return twentyFour ? TwentyFourVoltsTable : TwelveVolts;
}

QStringList VoltageTexts(float first, int count) {
    QStringList texts;
    for (int i = 0; i < count; ++i)
        texts.append(QString::asprintf("%2.1fV", double(first + VoltageStep * float(i))));
    return texts;
}

// The entry a stored voltage came from; a value off the list (or not a number) selects none.
int VoltageEntry(double stored, float first) {
    const double entry = std::trunc((stored - double(first)) / double(VoltageStep));
    return std::isfinite(entry) && std::abs(entry) < 1000 ? int(entry) : -1;
}

double EntryVoltage(int entry, float first) {
    return double(float(entry) * VoltageStep + first);
}

// The deleting order's entries and what they store as vk_limit_space_type.
constexpr int Chronological = 0;
constexpr int ByKind = 1;
constexpr int NormalMotionTogether = 2;
constexpr int ChronologicalType = 1;
constexpr int ByKindType = 2;
constexpr int TogetherType = 3;
// The two-way list's second entry ("80%/20%") is stored as percent type 2.
constexpr int EightyTwentyType = 2;

QStringList ShutdownTimerTexts() {
    QStringList texts{LoadLangString(433)};
    for (const char* hours : {" 3 ", " 6 ", "12 ", "18 ", "24 ", "36 ", "48 ", "72 "})
        texts.append(QLatin1String(hours) + LoadLangString(434));
    return texts;
}

// Selects entry, or none when the list has no such entry.
void SelectEntry(SkinComboBox* list, int entry) {
    list->setCurrentIndex(entry >= 0 && entry < list->count() ? entry : -1);
}

} // namespace

RecordingPage::RecordingPage(QWidget* container) : SettingsPage(container) {
    AddHeadings(Headings);
    AddLabels(Labels);
    Label(ThreeWayLabel, {327, 107, 80, 15}, QStringLiteral("N / E / M"));
    Label(TwoWayLabel, {327, 142, 80, 15}, QStringLiteral("N + M / E"));

    TwoWaySwitch* switches[] = {&m_continuous, &m_manualVoltage, &m_drivingShutdown};
    const SwitchRow* rows[] = {&ContinuousRow, &ManualRow, &DrivingRow};
    for (int i = 0; i < 3; ++i) {
        const SwitchRow& row = *rows[i];
        Label(row.onLabelId, {184, row.labelY, 30, 15}, QStringLiteral("ON"));
        Label(row.offLabelId, {246, row.labelY, 30, 15}, QStringLiteral("OFF"));
        *switches[i] = Switch(row.onId, {211, row.buttonY}, row.offId, {276, row.buttonY});
    }

    m_shutdownTimer = List(ShutdownTimer, {95, 73}, ShutdownTimerTexts());
    m_vehicle = List(VehicleVoltage, {95, 107}, {QStringLiteral("12 V"), QStringLiteral("24 V")});
    m_parkingVoltage = List(ParkingVoltage, {95, 175}, {});
    m_shutdownVoltage = List(ShutdownVoltage, {95, 209}, {});
    m_order = List(DeletingOrder, {396, 39},
                   {LoadLangString(435), LoadLangString(436), LoadLangString(437)});
    m_threeWay = List(ThreeWayAllocation, {396, 103},
                      {QStringLiteral("50%/30%/20%"), QStringLiteral("60%/30%/10%"),
                       QStringLiteral("70%/20%/10%")});
    m_twoWay =
        List(TwoWayAllocation, {396, 137}, {QStringLiteral("70%/30%"), QStringLiteral("80%/20%")});
    m_order->setCurrentIndex(ByKind);
    FillVoltageLists(12);

    connect(m_vehicle, &QComboBox::activated, this, &RecordingPage::OnVehicleVoltage);
    connect(m_order, &QComboBox::activated, this, &RecordingPage::OnDeletingOrder);
    connect(m_manualVoltage.on, &SkinButton::command, this,
            [this] { m_parkingVoltage->setEnabled(m_manualVoltage.IsOn()); });
    connect(m_manualVoltage.off, &SkinButton::command, this,
            [this] { m_parkingVoltage->setEnabled(!m_manualVoltage.IsOff()); });
}

bool RecordingPage::TwentyFourVolts() const {
    return m_vehicle->currentIndex() == 1;
}

void RecordingPage::FillVoltageLists(int vehicleVolts) {
    const VoltageTable& table = TableFor(vehicleVolts == 24);
    m_parkingVoltage->clear();
    m_parkingVoltage->addItems(VoltageTexts(table.parkingFirst, table.parkingCount));
    m_shutdownVoltage->clear();
    m_shutdownVoltage->addItems(VoltageTexts(table.shutdownFirst, table.shutdownCount));
    m_parkingVoltage->setCurrentIndex(FilledParkingEntry);
    m_shutdownVoltage->setCurrentIndex(FilledShutdownEntry);
}

void RecordingPage::OnVehicleVoltage() {
    if (TwentyFourVolts()) {
        FillVoltageLists(24);
        m_parkingVoltage->setCurrentIndex(TwentyFourParkingEntry);
        m_shutdownVoltage->setCurrentIndex(TwentyFourShutdownEntry);
    } else {
        FillVoltageLists(12);
        m_parkingVoltage->setCurrentIndex(TwelveVoltParkingEntry);
        m_shutdownVoltage->setCurrentIndex(TwelveVoltShutdownEntry);
    }
}

void RecordingPage::OnDeletingOrder() {
    const int order = m_order->currentIndex();
    m_threeWay->setEnabled(order == ByKind);
    m_twoWay->setEnabled(order == NormalMotionTogether);
}

void RecordingPage::LoadPage(const SettingsRecord& record, int) {
    m_continuous.Set(record.vk_use_rec_parking_always == 1);
    SelectEntry(m_shutdownTimer, record.vk_park_duration_min);
    const bool manual = record.vk_park_voltage_manual_flag == 1;
    m_manualVoltage.Set(manual);
    m_parkingVoltage->setEnabled(manual);

    const bool twentyFour = record.vk_park_voltage > TwentyFourVoltThreshold;
    const VoltageTable& table = TableFor(twentyFour);
    m_vehicle->setCurrentIndex(twentyFour ? 1 : 0);
    FillVoltageLists(twentyFour ? 24 : 12);
    SelectEntry(m_parkingVoltage, VoltageEntry(record.vk_park_voltage, table.parkingFirst));
    SelectEntry(m_shutdownVoltage,
                VoltageEntry(record.vk_park_shutdown_voltage, table.shutdownFirst));
    m_drivingShutdown.Set(record.vk_use_drive_shutdown_voltage == 1);

    const int percent = record.vk_limit_space_percent_type;
    switch (record.vk_limit_space_type) {
    case ByKindType:
        m_order->setCurrentIndex(ByKind);
        SelectEntry(m_threeWay, percent);
        m_twoWay->setCurrentIndex(0);
        break;
    case TogetherType:
        m_order->setCurrentIndex(NormalMotionTogether);
        m_threeWay->setCurrentIndex(0);
        m_twoWay->setCurrentIndex(percent == EightyTwentyType ? 1 : 0);
        break;
    default:
        m_order->setCurrentIndex(Chronological);
        m_threeWay->setCurrentIndex(0);
        m_twoWay->setCurrentIndex(0);
    }
    OnDeletingOrder();
}

void RecordingPage::CollectPage(SettingsRecord& record) const {
    record.vk_use_rec_parking_always = m_continuous.Value(0);
    record.vk_park_duration_min = m_shutdownTimer->currentIndex();
    record.vk_park_voltage_manual_flag = m_manualVoltage.Value(0);
    const VoltageTable& table = TableFor(TwentyFourVolts());
    record.vk_park_voltage = EntryVoltage(m_parkingVoltage->currentIndex(), table.parkingFirst);
    record.vk_park_shutdown_voltage =
        EntryVoltage(m_shutdownVoltage->currentIndex(), table.shutdownFirst);
    record.vk_use_drive_shutdown_voltage = m_drivingShutdown.Value(1);

    switch (m_order->currentIndex()) {
    case Chronological:
        record.vk_limit_space_type = ChronologicalType;
        record.vk_limit_space_percent_type = 0;
        break;
    case NormalMotionTogether:
        record.vk_limit_space_type = TogetherType;
        record.vk_limit_space_percent_type = m_twoWay->currentIndex() == 1 ? EightyTwentyType : 0;
        break;
    default: {
        // "Normal, Event, Motion", and no selection at all.
        const int entry = m_order->currentIndex() == ByKind ? m_threeWay->currentIndex() : 0;
        record.vk_limit_space_type = ByKindType;
        record.vk_limit_space_percent_type = entry == 1 || entry == 2 ? entry : 0;
    }
    }
}

void RecordingPage::SetDefaults() {
    LoadPage(DefaultSettingsRecord(), 0);
}
