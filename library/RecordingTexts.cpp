#include "library/RecordingTexts.h"

#include <ctime>
#include <optional>

namespace {

std::optional<std::tm> LocalDate(qint64 secondsSinceEpoch) {
    const std::time_t time = std::time_t(secondsSinceEpoch);
    std::tm local{};
    if (!localtime_r(&time, &local))
        return std::nullopt;
    return local;
}

// tm_year counts from 1900 and reaches INT_MAX for absurd file times: add in 64 bits.
qint64 CalendarYear(const std::tm& date) {
    return qint64(date.tm_year) + 1900;
}

} // namespace

QString SizeText(qint64 kib) {
    if (kib / 1000 >= 1)
        return QString::asprintf("%lld,%03lld", kib / 1000, kib % 1000);
    return QString::number(kib);
}

QString CreationDateText(qint64 secondsSinceEpoch) {
    const std::optional<std::tm> date = LocalDate(secondsSinceEpoch);
    if (!date)
        return QStringLiteral("00.00.00");
    const qint64 yearInCentury = (CalendarYear(*date) % 100 + 100) % 100;
    return QString::asprintf("%02lld.%02d.%02d", yearInCentury, date->tm_mon + 1, date->tm_mday);
}

QString SelectedDateText(qint64 selectedDate) {
    const std::optional<std::tm> date = LocalDate(selectedDate);
    if (!date)
        return QStringLiteral("00000000");
    return QString::asprintf("%04lld%02d%02d", CalendarYear(*date), date->tm_mon + 1,
                             date->tm_mday);
}
