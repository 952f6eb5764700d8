#pragma once

#include "common/DecimalText.h"

#include <charconv>

// The run-time library's reading of a decimal fraction (atof), shared by telemetry fields and
// settings voltages: leading white space, an optional sign, digits with an optional decimal point
// and exponent, up to the first character that does not fit; nothing readable gives 0.
// Unlike atof it ignores the process locale (Qt sets it from the environment, and a German one
// would stop "12.7" at the point) and reads neither "inf", "nan" nor hexadecimal, and a value
// beyond the range of double reads as 0: no infinity reaches a display or a file.
inline double ReadDecimalFraction(const char* text, const char* end) {
    const bool negative = SkipSpaceAndSign(text, end);
    if (text == end || !((*text >= '0' && *text <= '9') || *text == '.'))
        return 0.0;
    double value = 0.0;
    if (std::from_chars(text, end, value, std::chars_format::general).ec != std::errc{})
        return 0.0;
    return negative ? -value : value;
}
