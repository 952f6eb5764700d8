#include "settings/ui/DateTimePage.h"

#include "resources/LocalizedStrings.h"
#include "settings/DateTimeFields.h"
#include "settings/ui/SettingsControlIds.h"
#include "skin/SkinButton.h"
#include "skin/SkinLabel.h"
#include "skin/SkinLineEdit.h"

#include <QDateTime>
#include <QMouseEvent>

namespace {

using namespace TimePageId;

constexpr TextRow Headings[] = {
    {ChangeInputHeading, 440, {14, 15, 200, 18}}, {DateHeading, 327, {14, 74, 50, 15}},
    {TimeHeading, 328, {14, 136, 50, 15}},        {GpsSyncHeading, 459, {320, 15, 350, 18}},
    {ZoneHeading, 462, {320, 74, 350, 18}},
};

constexpr QSize ArrowSize{17, 10};

} // namespace

DateTimePage::DateTimePage(QWidget* container, ZoneSource pcZone)
    : SettingsPage(container), m_pcZone(std::move(pcZone)) {
    for (const TimeZone& zone : TimeZones())
        m_timeZoneLabels.append(QString::fromLatin1(zone.label));

    AddHeadings(Headings);
    Label(ChangeInputOnLabel, {16, 40, 40, 15}, QStringLiteral("ON"));
    Label(ChangeInputOffLabel, {87, 40, 40, 15}, QStringLiteral("OFF"));
    m_changeInput = Switch(ChangeInputOn, {43, 37}, ChangeInputOff, {118, 37});
    Label(GpsSyncOnLabel, {322, 40, 40, 15}, QStringLiteral("ON"));
    Label(GpsSyncOffLabel, {393, 40, 40, 15}, QStringLiteral("OFF"));
    m_gpsSync = Switch(GpsSyncOn, {349, 37}, GpsSyncOff, {424, 37});

    m_date = ReadOnlyField(DateField, {16, 99, 195, 19});
    m_time = ReadOnlyField(TimeField, {16, 161, 195, 19});
    m_zone = ReadOnlyField(ZoneField, {322, 99, 195, 19});
    for (SkinLineEdit* field : {m_date, m_time})
        field->installEventFilter(this);

    // The arrows keep the focus off themselves: the field keeps its selected part.
    const struct {
        int id;
        QPoint at;
        const ButtonLooks& looks;
        void (DateTimePage::*step)(int);
        int direction;
    } arrows[] = {
        {DateUp, {215, 99}, ButtonLook::FieldUp, &DateTimePage::OnDateStep, 1},
        {DateDown, {215, 109}, ButtonLook::FieldDown, &DateTimePage::OnDateStep, -1},
        {TimeUp, {215, 161}, ButtonLook::FieldUp, &DateTimePage::OnTimeStep, 1},
        {TimeDown, {215, 171}, ButtonLook::FieldDown, &DateTimePage::OnTimeStep, -1},
        // The zone list runs from -12:00 down to +13:00: the upper arrow goes back.
        {ZoneUp, {521, 99}, ButtonLook::FieldUp, &DateTimePage::OnZoneStep, -1},
        {ZoneDown, {521, 109}, ButtonLook::FieldDown, &DateTimePage::OnZoneStep, 1},
    };
    for (const auto& arrow : arrows) {
        SkinButton* button = Button(arrow.id, QRect(arrow.at, ArrowSize), arrow.looks);
        button->setFocusPolicy(Qt::NoFocus);
        connect(
            button, &SkinButton::command, this,
            [this, step = arrow.step, direction = arrow.direction] { (this->*step)(direction); });
        (arrow.id == ZoneUp || arrow.id == ZoneDown ? m_zoneControls : m_dateTimeControls)
            .append(button);
    }
    m_dateTimeControls << m_date << m_time;
    m_zoneControls << m_zone;

    connect(m_changeInput.on, &SkinButton::command, this, &DateTimePage::OnChangeInputOn);
    connect(m_changeInput.off, &SkinButton::command, this, &DateTimePage::OnChangeInputOff);
    connect(m_gpsSync.on, &SkinButton::command, this, &DateTimePage::OnGpsSyncOn);
    connect(m_gpsSync.off, &SkinButton::command, this, &DateTimePage::OnGpsSyncOff);
}

void DateTimePage::EnableDateTime(bool enabled) {
    for (QWidget* control : std::as_const(m_dateTimeControls))
        control->setEnabled(enabled);
}

void DateTimePage::EnableZone(bool enabled) {
    for (QWidget* control : std::as_const(m_zoneControls))
        control->setEnabled(enabled);
}

void DateTimePage::OnChangeInputOn() {
    const QDateTime now = QDateTime::currentDateTime();
    ShowFieldText(m_date, DateText(now.date()));
    ShowFieldText(m_time, TimeText(now.time()));
    EnableDateTime(true);
}

void DateTimePage::ShowFieldText(SkinLineEdit* field, const QString& text) {
    field->setText(text);
    // The arrows step the last part when the caret stands at 0 and nothing is selected, and a
    // field the page has just filled is in exactly that state for the user.
    field->setCursorPosition(0);
}

void DateTimePage::OnChangeInputOff() {
    EnableDateTime(false);
}

void DateTimePage::OnGpsSyncOn() {
    EnableZone(true);
    const std::optional<int> offset = m_pcZone();
    if (!offset)
        qWarning("GTZI failed (%d)", 0); // the system gives no error code of its own
    ShowZone(offset ? ZoneIndexOfOffset(*offset) : 0);
}

void DateTimePage::OnGpsSyncOff() {
    EnableZone(false);
}

void DateTimePage::ShowZone(int index) {
    m_zoneIndex = index;
    m_zone->setText(m_timeZoneLabels.value(index));
}

void DateTimePage::OnZoneStep(int step) {
    ShowZone(std::clamp(m_zoneIndex + step, 0, int(m_timeZoneLabels.size()) - 1));
}

void DateTimePage::OnDateStep(int step) {
    const auto part = DatePartToStep(m_date->selectionStart(), m_date->selectionLength(),
                                     m_date->cursorPosition());
    if (!part)
        return;
    const std::optional<QString> text = StepDate(m_date->text(), *part, step);
    if (!text)
        return;
    m_date->setText(*text);
    m_date->setSelection(part->start, part->end - part->start);
    m_date->setFocus();
}

void DateTimePage::OnTimeStep(int step) {
    const auto part = TimePartToStep(m_time->selectionStart(), m_time->selectionLength(),
                                     m_time->cursorPosition());
    if (!part)
        return;
    const std::optional<QString> text = StepTime(m_time->text(), *part, step);
    if (!text)
        return;
    m_time->setText(*text);
    m_time->setSelection(part->start, part->end - part->start);
    m_time->setFocus();
}

bool DateTimePage::eventFilter(QObject* watched, QEvent* event) {
    auto* field = qobject_cast<SkinLineEdit*>(watched);
    if (!field)
        return SettingsPage::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        auto* press = static_cast<QMouseEvent*>(event);
        if (press->button() != Qt::LeftButton)
            return false;
        // A press selects the whole part under the pointer, nothing else.
        field->setFocus(Qt::MouseFocusReason);
        const int position = field->cursorPositionAt(press->position().toPoint());
        const auto part = field == m_date ? DatePartAt(position) : TimePartAt(position);
        if (part)
            field->setSelection(part->start, part->end - part->start);
        return true;
    }
    case QEvent::MouseMove:
        return static_cast<QMouseEvent*>(event)->buttons() & Qt::LeftButton;
    default:
        return false;
    }
}

void DateTimePage::LoadPage(const SettingsRecord& record, int loadedFiles) {
    if (loadedFiles & LoadedFile::SettingIni) {
        const QString date = StoredDateText(record.vk_date);
        const QString time = StoredTimeText(record.vk_time);
        ShowFieldText(m_date, date);
        ShowFieldText(m_time, time);
        // A stored date and time only say that the clock is to be set: to the PC's time now.
        if (date.isEmpty() || time.isEmpty()) {
            OnChangeInputOff();
            m_changeInput.Set(false);
        } else {
            OnChangeInputOn();
            m_changeInput.Set(true);
        }
    } else {
        OnChangeInputOn();
        OnChangeInputOff();
        m_changeInput.Set(false);
    }
    if (record.vk_gps_sync_time == 1) {
        m_gpsSync.Set(true);
        OnGpsSyncOn();
    } else {
        m_gpsSync.Set(false);
        OnGpsSyncOff();
    }
    ShowZone(ZoneIndexOfCode(record.vk_gps_timezone));
}

void DateTimePage::CollectPage(SettingsRecord& record) const {
    const bool setClock = m_changeInput.IsOn();
    record.vk_date = setClock ? m_date->text() : QString();
    record.vk_time = setClock ? m_time->text() : QString();
    record.vk_gps_sync_time = m_gpsSync.IsOn() ? 1 : 0;
    if (m_gpsSync.IsOff()) {
        record.vk_gps_sync_time = 0;
        record.vk_gps_timezone = 0;
    }
    if (record.vk_gps_sync_time == 1) {
        const auto zones = TimeZones();
        record.vk_gps_timezone = zones[std::clamp(m_zoneIndex, 0, int(zones.size()) - 1)].code;
    }
}

void DateTimePage::SetDefaults() {
    OnChangeInputOn();
    OnChangeInputOff();
    m_changeInput.Set(false);
    OnGpsSyncOn();
    OnGpsSyncOff();
    m_gpsSync.Set(false);
}
