#include "settings/WifiPassword.h"

#include <QByteArray>
#include <gtest/gtest.h>

namespace {

QByteArray Hex(const unsigned char* bytes, int size) {
    return QByteArray(reinterpret_cast<const char*>(bytes), size).toHex();
}

TEST(Aes256, MatchesTheFips197Example) {
    Aes256Key key;
    for (int i = 0; i < 32; ++i)
        key[size_t(i)] = (unsigned char)i;
    QByteArray plain = QByteArray::fromHex("00112233445566778899aabbccddeeff");
    auto* block = reinterpret_cast<unsigned char*>(plain.data());
    ASSERT_TRUE(EncipherBlock(key, block));
    EXPECT_EQ(Hex(block, AesBlockSize), QByteArray("8ea2b7ca516745bfeafc49904b496089"));
    ASSERT_TRUE(DecipherBlock(key, block));
    EXPECT_EQ(Hex(block, AesBlockSize), QByteArray("00112233445566778899aabbccddeeff"));
}

TEST(WifiPassword, KeyIsTwentyNinePrintableCharactersAndThreeZeros) {
    const Aes256Key key = WifiPasswordKey();
    for (size_t i = 0; i < 29; ++i)
        EXPECT_TRUE(key[i] >= 0x20 && key[i] <= 0x7E) << i;
    EXPECT_EQ(key[29] | key[30] | key[31], 0);
}

TEST(WifiPassword, EncodesTheZeroPaddedTextAsOneEncipheredBlock) {
    const std::optional<QString> digits = EncodeWifiPassword("5820174639");
    ASSERT_TRUE(digits);
    ASSERT_EQ(digits->size(), 40);
    EXPECT_EQ(*digits, digits->toUpper());
    EXPECT_TRUE(digits->endsWith("00000000"));
    QByteArray block = QByteArray::fromHex(digits->left(32).toLatin1());
    ASSERT_TRUE(DecipherBlock(WifiPasswordKey(), reinterpret_cast<unsigned char*>(block.data())));
    EXPECT_EQ(block, QByteArray("5820174639") + QByteArray(6, '\0'));
}

TEST(WifiPassword, RoundTripsEveryPasswordAFileHolds) {
    const QString passwords[] = {"5820174639", "a", "", "0123456789abcdef", "pa ss=word",
                                 QString::fromUtf8("p\u00E4ssw\u00F6rd"),
                                 // what a file may hold: three bytes past the block
                                 "0123456789abcdefghi"};
    for (const QString& password : passwords) {
        const std::optional<QString> digits = EncodeWifiPassword(password);
        ASSERT_TRUE(digits) << password.toStdString();
        EXPECT_EQ(DecodeWifiPassword(*digits), password) << password.toStdString();
        EXPECT_EQ(DecodeWifiPassword(digits->toLower()), password) << password.toStdString();
    }
}

TEST(WifiPassword, RefusesWhatItCannotEncode) {
    EXPECT_FALSE(EncodeWifiPassword("0123456789abcdefghij"));
    EXPECT_FALSE(EncodeWifiPassword(QString::fromUtf8("\u0100")));
    EXPECT_FALSE(EncodeWifiPassword(QString::fromLatin1("a\0b", 3)));
}

TEST(WifiPassword, DecodesByTheDevicesDigitRules) {
    const QString sixteen = "0123456789ABCDEF";
    const QString digits = *EncodeWifiPassword(sixteen);
    // The full block ends where the four plain bytes begin; those are taken as they stand.
    EXPECT_EQ(DecodeWifiPassword(digits), sixteen);
    EXPECT_EQ(DecodeWifiPassword(digits.left(32) + "41424300"), sixteen + "ABC");
    // A missing 40th digit, non-digits and digits beyond the 40th all count as nothing.
    EXPECT_EQ(DecodeWifiPassword(digits.left(39)), sixteen);
    EXPECT_EQ(DecodeWifiPassword(digits.left(32) + "zz-0 .00"), sixteen);
    EXPECT_EQ(DecodeWifiPassword(digits + "FFFF"), sixteen);
    EXPECT_EQ(DecodeWifiPassword(digits.left(38)), std::nullopt);
    EXPECT_EQ(DecodeWifiPassword("5820174639"), std::nullopt);
    EXPECT_EQ(DecodeWifiPassword(""), std::nullopt);
}

} // namespace
