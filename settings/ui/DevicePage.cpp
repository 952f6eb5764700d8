#include "settings/ui/DevicePage.h"

#include "resources/LocalizedStrings.h"
#include "resources/StringIds.h"
#include "settings/SettingsDefaults.h"
#include "settings/WifiPassword.h"
#include "settings/ui/SettingsControlIds.h"
#include "skin/MessageBox.h"
#include "skin/SkinButton.h"
#include "skin/SkinComboBox.h"
#include "skin/SkinLabel.h"
#include "skin/SkinLineEdit.h"
#include "skin/SkinSlider.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QPointer>
#include <QProxyStyle>

namespace {

using namespace DevicePageId;

constexpr TextRow Headings[] = {
    {WifiHeading, 377, {14, 16, 120, 15}},
    {GSensorHeading, 388, {320, 16, 150, 15}},
    {LedHeading, 399, {14, 280, 50, 15}},
    {MotionHeading, 403, {320, 280, 200, 15}},
};

constexpr TextRow Labels[] = {
    {ChangeInputLabel, 378, {16, 44, 100, 15}},   {NameLabel, 381, {16, 75, 50, 30}},
    {PasswordLabel, 382, {16, 109, 80, 30}},      {ShowPasswordLabel, 383, {16, 139, 120, 15}},
    {WifiOffLabel, 386, {14, 175, 80, 30}},       {ChannelLabel, 387, {16, 212, 80, 30}},
    {DrivingSensorLabel, 389, {322, 44, 80, 45}}, {ParkingSensorLabel, 393, {322, 147, 80, 45}},
    {LedLabel, 400, {16, 308, 150, 15}},
};

// One G-sensor axis: its letter, slider and read-out, the rows 31 pixels apart.
struct SensorRow {
    int letterId, sliderId, readoutId;
    const char* letter;
    int y;
    int SettingsRecord::*key;
};

using R = SettingsRecord;

constexpr SensorRow Sensors[] = {
    {DrivingXLabel, DrivingX, DrivingXReadout, "X", 41, &R::vk_gsensor_intensity_always_x},
    {DrivingYLabel, DrivingY, DrivingYReadout, "Y", 72, &R::vk_gsensor_intensity_always_y},
    {DrivingZLabel, DrivingZ, DrivingZReadout, "Z", 103, &R::vk_gsensor_intensity_always_z},
    {ParkingXLabel, ParkingX, ParkingXReadout, "X", 144, &R::vk_gsensor_intensity_parking_x},
    {ParkingYLabel, ParkingY, ParkingYReadout, "Y", 175, &R::vk_gsensor_intensity_parking_y},
    {ParkingZLabel, ParkingZ, ParkingZReadout, "Z", 206, &R::vk_gsensor_intensity_parking_z},
};

constexpr int SensorMaximum = 9;
constexpr int SensorStart = 4;
constexpr int MotionMaximum = 2;
constexpr int NameMaxLength = 24;
constexpr int ShortestPassword = 8;
constexpr int ChannelCount = 11;
// The switch-off list's entries 1 and 2 are stored as they stand, anything else as 0.
constexpr int WifiOffEntries = 3;

QString MotionText(int position) {
    switch (position) {
    case 0:
        return LoadLangString(404); // Low
    case 2:
        return LoadLangString(406); // High
    default:
        return LoadLangString(405); // Normal
    }
}

// The password field masks with "*" whatever the desktop's style would use.
class AsteriskStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_LineEdit_PasswordCharacter)
            return '*';
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

// Keeps typed and pasted characters outside the field's set, and any beyond its length, from
// reaching it. Text put in by the page (a file's name or password) is shown as it stands, and
// stays editable.
class TypedCharacters : public QObject {
public:
    TypedCharacters(QLineEdit* field, bool (*allowed)(QChar), int maxLength)
        : QObject(field), m_field(field), m_allowed(allowed), m_maxLength(maxLength) {
        field->installEventFilter(this);
        field->setAcceptDrops(false);
        field->setContextMenuPolicy(Qt::NoContextMenu);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::KeyPress)
            return false;
        auto* key = static_cast<QKeyEvent*>(event);
        QString typed = key->text();
        if (key->matches(QKeySequence::Paste))
            typed = QGuiApplication::clipboard()->text();
        else if (typed.isEmpty() || typed[0] < QLatin1Char(' ') || typed[0] == QChar(0x7F))
            return false; // editing and moving keys
        const qsizetype kept = m_field->text().size() - m_field->selectedText().size();
        return !std::all_of(typed.begin(), typed.end(), m_allowed) ||
               kept + typed.size() > m_maxLength;
    }

private:
    QLineEdit* m_field;
    bool (*m_allowed)(QChar);
    int m_maxLength;
};

bool IsLetterOrDigit(QChar c) {
    return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

bool IsNameCharacter(QChar c) {
    return IsLetterOrDigit(c) || c == u'-' || c == u'_';
}

} // namespace

DevicePage::DevicePage(QWidget* container) : SettingsPage(container) {
    AddHeadings(Headings);
    AddLabels(Labels);

    Label(ChangeInputOnLabel, {184, 44, 50, 15}, QStringLiteral("ON"));
    Label(ChangeInputOffLabel, {246, 44, 50, 15}, QStringLiteral("OFF"));
    m_changeInput = Switch(ChangeInputOn, {211, 41}, ChangeInputOff, {276, 41});
    Label(ShowPasswordOnLabel, {184, 140, 50, 15}, QStringLiteral("ON"));
    Label(ShowPasswordOffLabel, {246, 140, 50, 15}, QStringLiteral("OFF"));
    m_showPassword = Switch(ShowPasswordOn, {211, 137}, ShowPasswordOff, {276, 137});
    Label(LedOnLabel, {184, 308, 50, 15}, QStringLiteral("ON"));
    Label(LedOffLabel, {246, 308, 50, 15}, QStringLiteral("OFF"));
    m_led = Switch(LedOn, {211, 304}, LedOff, {276, 304});

    m_name = TextField(NameField, {97, 72, 195, 19});
    new TypedCharacters(m_name, IsNameCharacter, NameMaxLength);
    m_password = TextField(PasswordField, {97, 106, 195, 19});
    new TypedCharacters(m_password, IsLetterOrDigit, MaxWifiPasswordLength);
    auto* asterisks = new AsteriskStyle;
    asterisks->setParent(m_password);
    m_password->setStyle(asterisks);
    m_password->setEchoMode(QLineEdit::Password);
    connect(m_name, &QLineEdit::textChanged, this, &DevicePage::OnNameChanged);
    m_name->setText(SsidPrefix);
    EnableFields(false);

    QStringList minutes;
    for (const char* count : {"3", "5", "10"})
        minutes.append(QLatin1String(count) + LoadLangString(430));
    m_wifiOff = List(WifiOffTimer, {95, 174}, minutes);
    QStringList channels;
    for (int channel = 1; channel <= ChannelCount; ++channel)
        channels.append(QString::number(channel));
    m_channel = List(Channel, {95, 208}, channels);

    for (size_t i = 0; i < m_sensors.size(); ++i) {
        const SensorRow& row = Sensors[i];
        Label(row.letterId, {374, row.y + 2, 20, 15}, QLatin1String(row.letter));
        m_sensorReadouts[i] =
            Readout(row.readoutId, {576, row.y + 2, 20, 15}, QString::number(SensorStart), true);
        m_sensors[i] =
            Slider(row.sliderId, {389, row.y, 179, 15}, SensorMaximum, m_sensorReadouts[i],
                   [](int position) { return QString::number(position); });
        m_sensors[i]->setValue(SensorStart);
    }
    for (const auto& [id, stringId, x] : {std::tuple{LowLabel, 397, 389}, {HighLabel, 398, 545}})
        Label(id, {x, 230, 30, 15}, LoadLangString(stringId))->SetFontHeight(12);
    m_motionReadout = Readout(MotionReadout, {508, 307, 100, 15}, MotionText(1), true);
    m_motion = Slider(Motion, {322, 305, 179, 15}, MotionMaximum, m_motionReadout, MotionText);
    m_motion->setValue(1);

    AddSeparator(16, 292, 264, 284);
    AddSeparator(320, 596, 264, 284);

    connect(m_changeInput.on, &SkinButton::command, this, &DevicePage::OnChangeInputOn);
    connect(m_changeInput.off, &SkinButton::command, this,
            [this] { EnableFields(!m_changeInput.IsOff()); });
    connect(m_showPassword.on, &SkinButton::command, this,
            [this] { ShowPassword(m_showPassword.IsOn()); });
    connect(m_showPassword.off, &SkinButton::command, this,
            [this] { ShowPassword(!m_showPassword.IsOff()); });
    connect(qApp, &QApplication::focusChanged, this, &DevicePage::OnFocusChanged);
}

void DevicePage::EnableFields(bool enabled) {
    m_name->setEnabled(enabled);
    m_password->setEnabled(enabled);
}

void DevicePage::ShowPassword(bool shown) {
    m_password->setEchoMode(shown ? QLineEdit::Normal : QLineEdit::Password);
}

void DevicePage::OnChangeInputOn() {
    if (!m_changeInput.IsOn()) {
        EnableFields(false);
        return;
    }
    EnableFields(true);
    if (!m_name->text().startsWith(SsidPrefix)) {
        m_name->setText(SsidPrefix);
        m_name->end(false);
    }
}

void DevicePage::OnNameChanged(const QString& text) {
    // The prefix cannot be edited away: the field goes back to its last name that had it.
    if (text.startsWith(SsidPrefix)) {
        m_lastGoodName = text;
        return;
    }
    m_name->setText(m_lastGoodName);
    m_name->end(false);
}

void DevicePage::OnFocusChanged(QWidget* old, QWidget* now) {
    if (old != m_password)
        return;
    // After the press that moved the focus has been handled: a button the message interrupts
    // then lets go of its press when the focus comes back, instead of being stuck down.
    QMetaObject::invokeMethod(
        this, [this, now = QPointer<QWidget>(now)] { CheckPassword(now); }, Qt::QueuedConnection);
}

void DevicePage::CheckPassword(QWidget* focusedNow) {
    const qsizetype length = m_password->text().size();
    if (length == 0 || (length >= ShortestPassword && length <= MaxWifiPasswordLength))
        return;
    // Leaving the program (no focus in it) is not a move within the page.
    if (!focusedNow || focusedNow == m_changeInput.off)
        return;
    if (focusedNow == m_showPassword.on) {
        ShowPassword(true);
        m_showPassword.Set(true);
    } else if (focusedNow == m_showPassword.off) {
        ShowPassword(false);
        m_showPassword.Set(false);
    } else {
        MessageBox::Tell(this, LoadLangString(StringId::PasswordRule));
    }
    m_password->setFocus();
    m_password->end(false);
}

void DevicePage::LoadPage(const SettingsRecord& record, int) {
    const bool named = record.vk_wifi_ap_ssid.startsWith(SsidPrefix);
    if (named)
        m_lastGoodName = record.vk_wifi_ap_ssid;
    m_name->setText(m_lastGoodName);
    m_changeInput.Set(named);
    m_password->setText(record.vk_wifi_ap_pwd);
    ShowPassword(false);
    EnableFields(named);
    m_showPassword.Set(false);

    const int wifiOff = record.vk_wifi_off_timer_sec;
    m_wifiOff->setCurrentIndex(wifiOff >= 0 && wifiOff < WifiOffEntries ? wifiOff : -1);
    const int channel = record.vk_wifi_channel;
    m_channel->setCurrentIndex(channel >= 1 && channel <= ChannelCount ? channel - 1 : -1);
    for (size_t i = 0; i < m_sensors.size(); ++i) {
        const int value = record.*Sensors[i].key;
        m_sensors[i]->setValue(value);
        m_sensorReadouts[i]->setText(QString::number(value));
    }
    m_led.Set(record.vk_led_rec_parking != 0);
    m_motionReadout->setText(MotionText(record.vk_gsensor_motionsensitivity));
    m_motion->setValue(record.vk_gsensor_motionsensitivity);
}

void DevicePage::CollectPage(SettingsRecord& record) const {
    const bool changed = m_changeInput.IsOn();
    record.vk_wifi_ap_ssid = changed ? m_name->text() : QString();
    record.vk_wifi_ap_pwd = changed ? m_password->text() : QString();
    const int wifiOff = m_wifiOff->currentIndex();
    record.vk_wifi_off_timer_sec = wifiOff == 1 || wifiOff == 2 ? wifiOff : 0;
    const int channel = m_channel->currentIndex();
    record.vk_wifi_channel = channel >= 1 && channel < ChannelCount ? channel + 1 : 1;
    for (size_t i = 0; i < m_sensors.size(); ++i)
        record.*Sensors[i].key = m_sensors[i]->value();
    record.vk_led_rec_parking = m_led.Value(1);
    record.vk_gsensor_motionsensitivity = m_motion->value();
}

void DevicePage::SetDefaults() {
    LoadPage(DefaultSettingsRecord(), 0);
}
