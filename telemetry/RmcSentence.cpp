#include "telemetry/RmcSentence.h"

#include "common/DecimalFraction.h"
#include "common/DecimalText.h"

#include <algorithm>
#include <cmath>
#include <ctime>
#include <limits>

namespace {

constexpr std::string_view RmcTag = "$GPRMC";
constexpr double KilometresPerKnot = 1.852;
// The sentence's hour is UTC; the fixes keep it nine hours ahead, in the camera's home time.
constexpr int HourShift = 9;

// Field 0 is the tag; the date is the last field read.
enum RmcField {
    TimeField = 1,
    StatusField,
    LatitudeField,
    NorthSouthField,
    LongitudeField,
    EastWestField,
    SpeedField,
    CourseField,
    DateField,
};

// Characters at..at+1 of a field (as many of them as it has) read as a decimal integer.
int TwoDigits(std::string_view field, size_t at) {
    const std::string_view piece = field.substr(std::min(at, field.size()), 2);
    return ReadDecimalInt(piece.data(), piece.data() + piece.size());
}

double Fraction(std::string_view field) {
    return ReadDecimalFraction(field.data(), field.data() + field.size());
}

// Rounded to single precision; a value beyond its range reads as 0 like any unreadable field.
double Single(double value) {
    return std::abs(value) <= std::numeric_limits<float>::max() ? double(float(value)) : 0.0;
}

// An empty or unexpected hemisphere counts as south or west, as the device's readers take it.
void ApplyHemisphere(double& value, std::string_view field, char positive) {
    if (!field.starts_with(positive))
        value = -value;
}

void ReadTime(std::string_view field, GpsFix& fix) {
    fix.hour = TwoDigits(field, 0) + HourShift;
    fix.minute = TwoDigits(field, 2);
    fix.second = TwoDigits(field, 4);
}

void ReadDate(std::string_view field, GpsFix& fix) {
    fix.day = TwoDigits(field, 0);
    fix.month = TwoDigits(field, 2);
    fix.year = TwoDigits(field, 4);
}

} // namespace

bool ReadRmcSentence(std::string_view sentence, GpsFix& fix) {
    if (!sentence.starts_with(RmcTag))
        return false;
    size_t comma = sentence.find(',');
    for (int number = TimeField; number <= DateField && comma != std::string_view::npos; ++number) {
        sentence.remove_prefix(comma + 1);
        comma = sentence.find(',');
        const std::string_view field = sentence.substr(0, comma);
        switch (RmcField(number)) {
        case TimeField:
            ReadTime(field, fix);
            break;
        case StatusField:
            fix.valid = field.starts_with('A') ? 1 : 0;
            break;
        case LatitudeField:
            fix.latitude = Fraction(field);
            break;
        case NorthSouthField:
            ApplyHemisphere(fix.latitude, field, 'N');
            break;
        case LongitudeField:
            fix.longitude = Fraction(field);
            break;
        case EastWestField:
            ApplyHemisphere(fix.longitude, field, 'E');
            break;
        case SpeedField:
            fix.speed = Single(Fraction(field) * KilometresPerKnot);
            break;
        case CourseField:
            fix.course = Single(Fraction(field));
            break;
        case DateField:
            ReadDate(field, fix);
            fix.timeStamp = LocalTimeStamp(fix);
            break;
        }
    }
    return true;
}

std::int64_t LocalTimeStamp(const GpsFix& fix) {
    std::tm time{};
    time.tm_year = (fix.year + 30) % 100 + 70;
    time.tm_mon = fix.month - 1;
    time.tm_mday = fix.day;
    time.tm_hour = fix.hour;
    time.tm_min = fix.minute;
    time.tm_sec = fix.second;
    time.tm_isdst = -1;
    return std::mktime(&time);
}
