#pragma once

#include "settings/Aes256.h"

#include <QString>
#include <optional>

// The most characters the settings dialog takes, and the most Write encodes: beyond 16 the
// characters would sit in the file unenciphered.
constexpr int MaxWifiPasswordLength = 16;

// The key the camera and the program share: 29 printable characters, then three zero bytes.
// Its characters come from the build (CMake option KARVENNA_WIFI_KEY).
Aes256Key WifiPasswordKey();

// The password as the settings file holds it: 40 upper-case hexadecimal digits of a 20-byte
// buffer whose first 16 bytes are enciphered. nullopt for a text that is not
// EncodableWifiPassword.
std::optional<QString> EncodeWifiPassword(const QString& text);

// At most MaxWifiPasswordLength characters, each a single byte other than NUL: the decoder ends
// the password at its first zero byte, so a NUL would cut it short.
bool EncodableWifiPassword(const QString& text);

// The plain password from a file's value. Digits beyond the 40th are ignored, a missing 40th
// counts as 0, and anything that is not a hexadecimal digit counts as 0. nullopt for a value of
// fewer than 39 characters, which cannot hold an enciphered block.
std::optional<QString> DecodeWifiPassword(const QString& value);
