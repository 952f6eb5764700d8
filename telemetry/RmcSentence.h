#pragma once

#include "telemetry/GpsFix.h"

#include <string_view>

// Reads an NMEA sentence into `fix` when it is an RMC sentence (its first six characters are
// "$GPRMC"); false, with `fix` untouched, for any other sentence. Reading stops at the first
// field the sentence lacks: the fields after it keep their zero, the time stamp included.
// Neither the fields after the date nor the checksum are read.
bool ReadRmcSentence(std::string_view sentence, GpsFix& fix);

// Seconds since 1970 of the fix's date and time taken as local time; an hour of 24 or more
// runs into the next day. Two-digit years 70-99 are 1970-1999, 00-69 are 2000-2069.
std::int64_t LocalTimeStamp(const GpsFix& fix);
