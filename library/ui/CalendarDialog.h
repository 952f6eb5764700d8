#pragma once

#include <QDate>
#include <QDialog>
#include <QList>

class QCalendarWidget;

// Asks for the day the list is narrowed to. The days that have recordings stand out in bold and
// in the accent colour, and it opens on the newest of them (on today when there is none).
class CalendarDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int CalendarId = 1094;

    explicit CalendarDialog(const QList<QDate>& recordedDays, QWidget* parent = nullptr);

    // The chosen day as seconds since 1970 (its local noon), 0 before any choice.
    qint64 ChosenDay() const { return m_chosenDay; }

private:
    void MarkRecordedDays(const QList<QDate>& recordedDays);
    void TakeSelection();

    QCalendarWidget* m_calendar;
    qint64 m_chosenDay = 0;
};
