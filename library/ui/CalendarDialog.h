#pragma once

#include <QDialog>

class QCalendarWidget;

// Asks for the day the list is narrowed to. It always opens on today.
class CalendarDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int CalendarId = 1094;

    explicit CalendarDialog(QWidget* parent = nullptr);

    // The chosen day as seconds since 1970 (its local noon), 0 before any choice.
    qint64 ChosenDay() const { return m_chosenDay; }

private:
    void TakeSelection();

    QCalendarWidget* m_calendar;
    qint64 m_chosenDay = 0;
};
