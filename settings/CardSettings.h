#pragma once

#include "settings/SettingsRecord.h"

// What Read returns.
namespace SettingsReadResult {
constexpr int Read = 1;
constexpr int CannotRead = -1; // missing, unreadable, or failed part-way: the slot stays reset
// Every other field was read; the encoded password was too short to decode and is left empty.
constexpr int PasswordUndecodable = -2;
} // namespace SettingsReadResult

// Slot 1 is the settings dialog's reference, slot 2 the program's last file (setting_pcm.ini).
enum class SettingsSlot { First = 1, Second = 2 };

// The two configurations the main window keeps for the settings dialog.
class CardSettings {
public:
    // Resets the slot's record, then fills it from the settings file. An encoded password
    // (vk_wifi_ap_pwd_encript 1) is decoded; any other flag keeps it as plain text.
    // Returns a SettingsReadResult.
    int Read(SettingsSlot slot, const QString& path);

    SettingsRecord& Record(SettingsSlot slot) {
        return slot == SettingsSlot::First ? m_first : m_second;
    }
    const SettingsRecord& Record(SettingsSlot slot) const {
        return slot == SettingsSlot::First ? m_first : m_second;
    }

    // Both slots, when the card goes away.
    void Reset() {
        m_first.Reset();
        m_second.Reset();
    }

private:
    SettingsRecord m_first;
    SettingsRecord m_second;
};
