#pragma once

#include <QDateTime>
#include <QString>
#include <optional>

// The date field reads "%04d/%02d/%02d", the time field "%02d:%02d:%02d"; each is edited one part
// at a time.

// The characters start up to end - 1 of a field's text.
struct FieldPart {
    int start;
    int end;
    friend bool operator==(const FieldPart&, const FieldPart&) = default;
};

namespace DatePart {
constexpr FieldPart Year{0, 4};
constexpr FieldPart Month{5, 7};
constexpr FieldPart Day{8, 10};
} // namespace DatePart

namespace TimePart {
constexpr FieldPart Hour{0, 2};
constexpr FieldPart Minute{3, 5};
constexpr FieldPart Second{6, 8};
} // namespace TimePart

QString DateText(const QDate& date);
QString TimeText(const QTime& time);

// The part a press at a character position selects; nullopt past the last part.
std::optional<FieldPart> DatePartAt(int position);
std::optional<FieldPart> TimePartAt(int position);

// The part a step changes, from the field's selection (start and length, 0 when none) and
// caret: exactly one part selected, or the last part when nothing is selected and the caret
// stands at 0.
std::optional<FieldPart> DatePartToStep(int selectionStart, int selectionLength, int caret);
std::optional<FieldPart> TimePartToStep(int selectionStart, int selectionLength, int caret);

// The text after one step (+1 up, -1 down) of a part; nullopt when the text holds no valid date
// (year above 1900, month 1 to 12, day 1 to 31) or time. A date's part wraps and then takes its
// value from the calendar date the three numbers make, so only that part changes even when the
// others no longer fit it (2013/02/29 stays on screen after the year went up from 2012).
std::optional<QString> StepDate(QString text, FieldPart part, int step);
std::optional<QString> StepTime(QString text, FieldPart part, int step);

// A stored vk_date or vk_time as the field shows it; empty when it holds no valid date or time.
QString StoredDateText(const QString& stored);
QString StoredTimeText(const QString& stored);
