#pragma once

#include "telemetry/GpsFix.h"

#include <QList>
#include <string_view>

class QIODevice;

// The longest sentence the parser takes; a longer one is skipped whole, never cut.
constexpr size_t MaxGpsSentenceLength = 1023;

// One line of a .gps file after the header: the offset in milliseconds, a colon and the
// sentence; a line without a colon is all sentence, with offset 0. Fills `fix` and returns true
// when the line holds an RMC sentence.
bool ReadGpsLine(std::string_view line, GpsFix& fix);

// The fixes of a .gps file whose status was "A", in file order. The first three lines are a
// header; line ends are CR LF or LF.
QList<GpsFix> ReadGpsFixes(QIODevice& file);
