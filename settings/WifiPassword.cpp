#include "settings/WifiPassword.h"

#include "WifiPasswordKeyText.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr qsizetype BufferSize = 20;
constexpr qsizetype DigitCount = BufferSize * 2;
constexpr qsizetype ShortestDecodable = DigitCount - 1;

int HexValue(QChar digit) {
    const char16_t c = digit.unicode();
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return 0;
}

} // namespace

Aes256Key WifiPasswordKey() {
    static_assert(sizeof WifiPasswordKeyText == 29, "the key text has 29 characters");
    Aes256Key key{};
    std::copy(std::begin(WifiPasswordKeyText), std::end(WifiPasswordKeyText), key.begin());
    return key;
}

bool EncodableWifiPassword(const QString& text) {
    return text.size() <= MaxStoredWifiPasswordLength &&
           std::none_of(text.begin(), text.end(),
                        [](QChar c) { return c.unicode() > 0xFF || c.unicode() == 0; });
}

std::optional<QString> EncodeWifiPassword(const QString& text) {
    if (!EncodableWifiPassword(text))
        return std::nullopt;
    unsigned char buffer[BufferSize] = {};
    const QByteArray bytes = text.toLatin1();
    std::memcpy(buffer, bytes.constData(), size_t(bytes.size()));
    if (!EncipherBlock(WifiPasswordKey(), buffer))
        return std::nullopt;
    return QString::fromLatin1(
        QByteArray(reinterpret_cast<const char*>(buffer), BufferSize).toHex().toUpper());
}

std::optional<QString> DecodeWifiPassword(const QString& value) {
    if (value.size() < ShortestDecodable)
        return std::nullopt;
    unsigned char buffer[BufferSize + 1] = {};
    for (qsizetype i = 0; i < BufferSize; ++i) {
        const int low = 2 * i + 1 < value.size() ? HexValue(value[2 * i + 1]) : 0;
        buffer[i] = (unsigned char)(HexValue(value[2 * i]) << 4 | low);
    }
    if (!DecipherBlock(WifiPasswordKey(), buffer))
        return std::nullopt;
    // The password ends at its first zero byte; the extra byte ends a buffer that has none.
    return QString::fromLatin1(reinterpret_cast<const char*>(buffer));
}
