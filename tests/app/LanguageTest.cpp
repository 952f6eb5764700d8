#include "app/Language.h"

#include <gtest/gtest.h>

namespace {

TEST(Language, ChoosesFromTheConfiguredValueAndTheSystem) {
    const struct {
        const char* value;
        const char* system;
        quint16 expected;
    } cases[] = {
        {"1042", "en_US", 1042},
        {"1042abc", "en_US", 1042},
        {"abc", "ko_KR", 1042},
        {"abc", "de_DE", 1033},
        {" 1049", "en_US", 1049},
        {"\t+1041", "en_US", 1041},
        {"2057", "ja_JP", 1033},
        {"2052", "ja_JP", 1033},
        {"-1", "ru_RU", 1033},
        {"66578", "en_US", 1042},
        {"", "ja_JP", 1041},
        {"", "de_DE", 1033},
        {"", "ru_RU", 1049},
        {"0", "ko_KR", 1042},
        {"1033", "ja_JP", 1033},
        {"65536", "ru_RU", 1049},
        {"99999999999", "ja_JP", 1033},
    };
    for (const auto& c : cases)
        EXPECT_EQ(
            ChooseUILanguage(QString::fromUtf8(c.value), QLocale(QString::fromUtf8(c.system))),
            c.expected)
            << '"' << c.value << "\" on " << c.system;
}

} // namespace
