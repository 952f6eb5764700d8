#pragma once

#include <QtGlobal>

// Inside the engine time runs in 100-ns units; the window counts milliseconds.
namespace MediaTime {

constexpr qint64 UnitsPerSecond = 10'000'000;
constexpr qint64 UnitsPerMs = 10'000;

} // namespace MediaTime
