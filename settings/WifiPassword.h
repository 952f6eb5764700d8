#pragma once

#include "settings/Aes256.h"

#include <QString>
#include <optional>

// The most characters the settings dialog takes: beyond 16 they would sit in the file
// unenciphered.
constexpr int MaxWifiPasswordLength = 16;
// The most characters a file holds: the 20-byte buffer keeps a zero after them. The camera
// reads bytes 16 to 18 as they stand, so a plain password read from a file up to this length
// survives being written back.
constexpr int MaxStoredWifiPasswordLength = 19;

// The key the camera and the program share: 29 printable characters, then three zero bytes.
// Its characters come from the build (CMake option KARVENNA_WIFI_KEY).
Aes256Key WifiPasswordKey();

// The password as the settings file holds it: 40 upper-case hexadecimal digits of a 20-byte
// buffer whose first 16 bytes are enciphered. nullopt for a text that is not
// EncodableWifiPassword.
std::optional<QString> EncodeWifiPassword(const QString& text);

// At most MaxStoredWifiPasswordLength characters, each a single byte other than NUL: the decoder
// ends the password at its first zero byte, so a NUL would cut it short.
bool EncodableWifiPassword(const QString& text);

// The plain password from a file's value. Digits beyond the 40th are ignored, a missing 40th
// counts as 0, and anything that is not a hexadecimal digit counts as 0. nullopt for a value of
// fewer than 39 characters, which cannot hold an enciphered block.
std::optional<QString> DecodeWifiPassword(const QString& value);
