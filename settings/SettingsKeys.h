#pragma once

#include "settings/SettingsRecord.h"

#include <span>
#include <string_view>
#include <variant>

// How a key's line is read, written and compared beyond what its field's type says.
enum class KeyRule {
    Plain,             // always written; compared
    OmittedWhenEmpty,  // a text written only when not empty; compared
    OmittedUnlessSync, // written only while vk_gps_sync_time is 1; compared
    ReadAsFraction,    // read as a decimal fraction and truncated; compared
    Password,          // written encoded, only when not empty; compared as plain text
    PasswordFlag,      // written as 1 with the password; not compared
    DeviceText,        // the device's own text: always written; not compared
    UpdateFlag,        // always written as 1; not compared
};

using SettingField =
    std::variant<QString SettingsRecord::*, int SettingsRecord::*, double SettingsRecord::*>;

struct SettingKey {
    std::string_view name;
    SettingField field;
    KeyRule rule;
};

// The keys of a settings file in the order a file is written.
std::span<const SettingKey> SettingsKeys();

// The key of that exact name (case included), or null.
const SettingKey* FindSettingKey(std::string_view name);

// A voltage as the file writes it and as records compare it: one decimal ("%.1f").
QByteArray VoltageText(double volts);
