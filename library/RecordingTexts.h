#pragma once

#include <QString>

// How a recording's row and the date filter write sizes and dates.

// Column 2: KiB with one thousands group, "999", "1,000", "1234,567".
QString SizeText(qint64 kib);
// Column 1: the local date of a time (seconds since 1970, UTC) as "YY.MM.DD".
QString CreationDateText(qint64 secondsSinceEpoch);
// The local date of the date filter's day as "YYYYMMDD", compared with a name's first eight.
QString SelectedDateText(qint64 selectedDate);
