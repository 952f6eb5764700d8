#pragma once

#include <QString>
#include <algorithm>

// Text order by unsigned UTF-16 code units, first difference deciding and a prefix first: the
// order of the file list and of the drive list, whatever the locale.
inline bool CodeUnitLess(const QString& a, const QString& b) {
    return std::lexicographical_compare(a.utf16(), a.utf16() + a.size(), b.utf16(),
                                        b.utf16() + b.size());
}
