#include "settings/DateTimeFields.h"

#include "common/DecimalText.h"

namespace {

constexpr int EarliestYear = 1970;

int NumberAt(const QString& text, FieldPart part) {
    const QString digits = text.mid(part.start, part.end - part.start);
    const auto* begin = reinterpret_cast<const char16_t*>(digits.utf16());
    return ReadDecimalInt(begin, begin + digits.size());
}

QString TwoDigits(int value) {
    return QStringLiteral("%1").arg(value, 2, 10, QChar(u'0'));
}

struct Triple {
    int first, second, third;
};

std::optional<Triple> ValidDate(const QString& text) {
    if (text.size() < DatePart::Day.end)
        return std::nullopt;
    const Triple date{NumberAt(text, DatePart::Year), NumberAt(text, DatePart::Month),
                      NumberAt(text, DatePart::Day)};
    if (date.first <= 1900 || date.second < 1 || date.second > 12 || date.third < 1 ||
        date.third > 31)
        return std::nullopt;
    return date;
}

std::optional<Triple> ValidTime(const QString& text) {
    if (text.size() < TimePart::Second.end)
        return std::nullopt;
    const Triple time{NumberAt(text, TimePart::Hour), NumberAt(text, TimePart::Minute),
                      NumberAt(text, TimePart::Second)};
    if (time.first < 0 || time.first > 23 || time.second < 0 || time.second > 59 ||
        time.third < 0 || time.third > 59)
        return std::nullopt;
    return time;
}

std::optional<FieldPart> PartAt(int position, const FieldPart (&parts)[3]) {
    for (const FieldPart& part : parts)
        if (position >= part.start && position <= part.end)
            return part;
    return std::nullopt;
}

std::optional<FieldPart> PartToStep(int selectionStart, int selectionLength, int caret,
                                    const FieldPart (&parts)[3]) {
    if (selectionLength == 0)
        return caret == 0 ? std::optional(parts[2]) : std::nullopt;
    for (const FieldPart& part : parts)
        if (part == FieldPart{selectionStart, selectionStart + selectionLength})
            return part;
    return std::nullopt;
}

int Wrap(int value, int first, int last) {
    if (value > last)
        return first;
    return value < first ? last : value;
}

constexpr FieldPart DateParts[3] = {DatePart::Year, DatePart::Month, DatePart::Day};
constexpr FieldPart TimeParts[3] = {TimePart::Hour, TimePart::Minute, TimePart::Second};

} // namespace

QString DateText(const QDate& date) {
    return QStringLiteral("%1/%2/%3")
        .arg(date.year(), 4, 10, QChar(u'0'))
        .arg(TwoDigits(date.month()), TwoDigits(date.day()));
}

QString TimeText(const QTime& time) {
    return QStringLiteral("%1:%2:%3")
        .arg(TwoDigits(time.hour()), TwoDigits(time.minute()), TwoDigits(time.second()));
}

std::optional<FieldPart> DatePartAt(int position) {
    return PartAt(position, DateParts);
}

std::optional<FieldPart> TimePartAt(int position) {
    return PartAt(position, TimeParts);
}

std::optional<FieldPart> DatePartToStep(int selectionStart, int selectionLength, int caret) {
    return PartToStep(selectionStart, selectionLength, caret, DateParts);
}

std::optional<FieldPart> TimePartToStep(int selectionStart, int selectionLength, int caret) {
    return PartToStep(selectionStart, selectionLength, caret, TimeParts);
}

std::optional<QString> StepDate(QString text, FieldPart part, int step) {
    const std::optional<Triple> valid = ValidDate(text);
    if (!valid)
        return std::nullopt;
    auto [year, month, day] = *valid;
    if (part == DatePart::Year) {
        year += step;
        if (step < 0 && year < EarliestYear)
            year = EarliestYear;
    } else if (part == DatePart::Month) {
        month = Wrap(month + step, 1, 12);
    } else if (part == DatePart::Day) {
        day = day + step;
        if (day > 31)
            day = 1;
        else if (day < 1)
            day = QDate(year, month, 1).daysInMonth();
    } else {
        return std::nullopt;
    }
    // Days past the month's end run on into the next month, as the calendar counts them.
    const QDate date = QDate(year, month, 1).addDays(day - 1);
    const QString replacement =
        part == DatePart::Year ? QString::number(date.year())
                               : TwoDigits(part == DatePart::Month ? date.month() : date.day());
    return text.replace(part.start, part.end - part.start, replacement);
}

std::optional<QString> StepTime(QString text, FieldPart part, int step) {
    const std::optional<Triple> valid = ValidTime(text);
    if (!valid)
        return std::nullopt;
    int value = 0;
    if (part == TimePart::Hour)
        value = Wrap(valid->first + step, 0, 23);
    else if (part == TimePart::Minute)
        value = Wrap(valid->second + step, 0, 59);
    else if (part == TimePart::Second)
        value = Wrap(valid->third + step, 0, 59);
    else
        return std::nullopt;
    return text.replace(part.start, part.end - part.start, TwoDigits(value));
}

QString StoredDateText(const QString& stored) {
    const std::optional<Triple> date = ValidDate(stored);
    if (!date)
        return {};
    return QStringLiteral("%1/%2/%3")
        .arg(date->first, 4, 10, QChar(u'0'))
        .arg(TwoDigits(date->second), TwoDigits(date->third));
}

QString StoredTimeText(const QString& stored) {
    const std::optional<Triple> time = ValidTime(stored);
    if (!time)
        return {};
    return QStringLiteral("%1:%2:%3")
        .arg(TwoDigits(time->first), TwoDigits(time->second), TwoDigits(time->third));
}
