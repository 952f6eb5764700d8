#pragma once

#include "settings/SettingsRecord.h"

#include <string_view>

// Stores one line of a settings file (without its line end): the key is the text before the
// first "=", matched exactly; the value is everything after it, untrimmed. Lines without "=",
// with an empty key or with a key the file does not know are ignored; numbers that do not read
// give 0.
void ParseSettingLine(std::string_view line, SettingsRecord& record);

// 1 when the dialog's record differs from the reference in a field the user edits, else 0.
// Voltages compare at one decimal; the password compares as plain text; the device's version
// texts and the two flags do not count.
int RecordsDiffer(const SettingsRecord& collected, const SettingsRecord& reference);
