#include "library/ui/CalendarDialog.h"

#include "resources/LocalizedStrings.h"
#include "resources/StringIds.h"
#include "skin/SkinColours.h"

#include <QCalendarWidget>
#include <QDialogButtonBox>
#include <QTextCharFormat>
#include <QVBoxLayout>
#include <algorithm>

CalendarDialog::CalendarDialog(const QList<QDate>& recordedDays, QWidget* parent)
    : QDialog(parent), m_calendar(new QCalendarWidget(this)) {
    setWindowTitle(LoadLangString(StringId::SelectDate));
    m_calendar->setObjectName(QString::number(CalendarId));
    m_calendar->setGridVisible(true);
    MarkRecordedDays(recordedDays);
    // Qt paints the month bar in the highlight colour: the accent stays with the days that count.
    if (auto* monthBar =
            m_calendar->findChild<QWidget*>(QStringLiteral("qt_calendar_navigationbar"))) {
        QPalette quiet = monthBar->palette();
        quiet.setColor(QPalette::Highlight, quiet.color(QPalette::Button));
        monthBar->setPalette(quiet);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_calendar, &QCalendarWidget::selectionChanged, this, &CalendarDialog::TakeSelection);
    // A double-click or Return on a day chooses it, as in a desktop's date pickers.
    connect(m_calendar, &QCalendarWidget::activated, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_calendar);
    layout->addWidget(buttons);
    TakeSelection();
}

void CalendarDialog::MarkRecordedDays(const QList<QDate>& recordedDays) {
    // Red weekends would pass for recorded days; the weekend is told by its column alone.
    const QTextCharFormat plain;
    m_calendar->setWeekdayTextFormat(Qt::Saturday, plain);
    m_calendar->setWeekdayTextFormat(Qt::Sunday, plain);
    QTextCharFormat recorded;
    recorded.setFontWeight(QFont::Bold);
    recorded.setForeground(SkinColour::Signal);
    for (const QDate& day : recordedDays)
        m_calendar->setDateTextFormat(day, recorded);
    if (!recordedDays.isEmpty())
        m_calendar->setSelectedDate(*std::max_element(recordedDays.cbegin(), recordedDays.cend()));
}

void CalendarDialog::TakeSelection() {
    // Noon keeps the day whatever daylight saving does to the clock.
    m_chosenDay = QDateTime(m_calendar->selectedDate(), QTime(12, 0)).toSecsSinceEpoch();
}
