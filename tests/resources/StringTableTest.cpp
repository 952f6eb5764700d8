#include "resources/StringTable.h"

#include "resources/LocalizedStrings.h"

#include <gtest/gtest.h>

namespace {

// The last of the program's own texts.
constexpr int LastProgramString = 640;

const quint16 Languages[] = {StringTable::English, StringTable::Japanese, StringTable::Korean,
                             StringTable::Russian};

TEST(StringTable, EveryLanguageHoldsEveryIdAndNothingElse) {
    for (quint16 language : Languages) {
        // The camera's table, then the program's own texts.
        for (const auto& [first, last] : {std::pair{320, 463}, {600, LastProgramString}})
            for (int id = first; id <= last; ++id)
                EXPECT_FALSE(StringTable::Lookup(language, id).isEmpty())
                    << "language " << language << " id " << id;
        EXPECT_EQ(StringTable::Lookup(language, 57344), QStringLiteral("VESKA Karvenna"));
        for (int missing : {0, 319, 464, 500, 599, LastProgramString + 1, 57343, 57345})
            EXPECT_TRUE(StringTable::Lookup(language, missing).isEmpty()) << missing;
    }
}

TEST(StringTable, EveryLanguageKeepsThePlaceholdersOfTheProgramsOwnTexts) {
    for (int id = 600; id <= LastProgramString; ++id) {
        const QString english = StringTable::Lookup(StringTable::English, id);
        for (quint16 language : Languages)
            for (const char* placeholder : {"%1", "%2"})
                EXPECT_EQ(StringTable::Lookup(language, id).count(placeholder),
                          english.count(placeholder))
                    << "language " << language << " id " << id << ' ' << placeholder;
    }
}

TEST(StringTable, LooksUpByExactLanguage) {
    const struct {
        quint16 language;
        const char* text;
    } cases[] = {
        {StringTable::English, "Can't play a file."},
        {StringTable::Japanese, "ファイルを再生することができません."},
        {StringTable::Korean, "파일을 재생할 수 없습니다."},
        {StringTable::Russian, "Невозможно воспроизвести файл."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(StringTable::Lookup(c.language, 447), QString::fromUtf8(c.text));
    // No fall-back to English for a language the table does not hold.
    EXPECT_TRUE(StringTable::Lookup(2057, 447).isEmpty());
    EXPECT_TRUE(StringTable::Lookup(0, 447).isEmpty());
}

TEST(StringTable, KeepsLineBreaksAndBlanks) {
    EXPECT_EQ(StringTable::Lookup(StringTable::English, 330), QStringLiteral("Driving\nRecording"));
    EXPECT_EQ(StringTable::Lookup(StringTable::English, 423), QStringLiteral(" "));
    EXPECT_EQ(StringTable::Lookup(StringTable::English, 408),
              QStringLiteral("Total Storage Space : "));
    for (quint16 language : Languages) {
        const QStringList lines = StringTable::Lookup(language, 424).split(QLatin1Char('\n'));
        ASSERT_EQ(lines.size(), 3) << language;
        EXPECT_EQ(lines[2], QStringLiteral("(https://ffmpeg.org/download.html)"));
    }
}

TEST(StringTable, ParsesEscapesAndSkipsMalformedLines) {
    const auto table =
        StringTable::ParseTable("1\ta\\nb\n2\tback\\\\slash\nnot a line\n\tno id\n3\t\n");
    EXPECT_EQ(table.value(1), QStringLiteral("a\nb"));
    EXPECT_EQ(table.value(2), QStringLiteral("back\\slash"));
    EXPECT_TRUE(table.contains(3));
    EXPECT_EQ(table.size(), 3);
}

TEST(LocalizedStrings, FollowTheUiLanguage) {
    SetUILanguage(StringTable::Korean);
    EXPECT_EQ(GetUILanguage(), StringTable::Korean);
    EXPECT_EQ(LoadLangString(447), QString::fromUtf8("파일을 재생할 수 없습니다."));
    EXPECT_TRUE(LoadLangString(500).isEmpty());
    SetUILanguage(StringTable::English);
    EXPECT_EQ(LoadLangString(426), QStringLiteral("Select Drive"));
}

} // namespace
