#pragma once

#include <climits>
#include <cstdint>

// Skips the white space and the optional sign that lead a number for atoi and atof; returns
// whether the sign was a minus.
template <typename Char> bool SkipSpaceAndSign(const Char*& text, const Char* end) {
    auto isSpace = [](Char c) {
        return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
    };
    while (text != end && isSpace(*text))
        ++text;
    if (text != end && (*text == '+' || *text == '-'))
        return *text++ == '-';
    return false;
}

// The run-time library's reading of a decimal integer (atoi/_wtoi), shared by the language
// value, telemetry offsets and settings values: leading white space, an optional sign, digits up
// to the first non-digit; no digits give 0 and an overflow saturates at the int range.
template <typename Char> int ReadDecimalInt(const Char* text, const Char* end) {
    const bool negative = SkipSpaceAndSign(text, end);
    std::int64_t value = 0;
    for (; text != end && *text >= '0' && *text <= '9'; ++text) {
        value = value * 10 + (*text - '0');
        if (value > std::int64_t(INT_MAX) + 1)
            value = std::int64_t(INT_MAX) + 1;
    }
    value = negative ? -value : value;
    if (value > INT_MAX)
        return INT_MAX;
    return value < INT_MIN ? INT_MIN : int(value);
}
