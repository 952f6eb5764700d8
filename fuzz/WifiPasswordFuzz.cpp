#include "fuzz/FuzzCheck.h"
#include "settings/WifiPassword.h"

// Any value decodes without harm; any password that can be encoded comes back from its digits.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = QString::fromLatin1(reinterpret_cast<const char*>(data), qsizetype(size));
    if (const std::optional<QString> password = DecodeWifiPassword(text))
        FUZZ_CHECK(password->size() <= 20 && !password->contains(QChar(0)));
    const std::optional<QString> digits = EncodeWifiPassword(text);
    FUZZ_CHECK(digits.has_value() == EncodableWifiPassword(text));
    if (digits) {
        FUZZ_CHECK(digits->size() == 40);
        FUZZ_CHECK(DecodeWifiPassword(*digits) == text);
    }
    return 0;
}
