#include "library/RecordingCatalogue.h"

#include "library/RecordingTexts.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdlib>
#include <ctime>
#include <gtest/gtest.h>

namespace {

void MakeFile(const QString& path, qint64 size = 2048) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    ASSERT_TRUE(file.resize(size));
}

QStringList Names(const QList<RecordingEntry>& rows) {
    QStringList names;
    for (const RecordingEntry& row : rows)
        names << row.Text(ColumnName);
    return names;
}

void SetTimeZone(const char* zone) {
    setenv("TZ", zone, 1);
    tzset();
}

// A card with recordings of every kind and the files a card also holds that are none.
class Card : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(QDir(root.path()).mkpath(QStringLiteral("Recordings/Backup")));
        for (const char* name :
             {"20240105_101010_NOR.AVI", "20240105_111111_EVT.MP4", "20240106_121212_MOT.avi",
              "20240106_131313_nor.Mp4", "20240105_SHORT.AVI", "20240105_151515_EVT.AVI"})
            MakeFile(Recording(name));
        MakeFile(Recording("20240105_141414_NOR.AVI"), 1023);
        MakeFile(Recording("20240105_101010_NOR.gps"));
        MakeFile(Recording("20240105_101010_NOR.gsf"));
        MakeFile(Recording("notes.txt"));
        MakeFile(Recording("Backup/20240105_161616_NOR.AVI"));
        ASSERT_TRUE(QDir().mkdir(Recording("20240105_171717_NOR.AVI")));
    }

    QString Recording(const char* name) const {
        return root.filePath(QStringLiteral("Recordings/") + QString::fromUtf8(name));
    }
    QString CardRoot() const { return root.path() + u'/'; }

    QTemporaryDir root;
};

TEST_F(Card, KindAndDateFiltersReadTheName) {
    SetTimeZone("UTC0");
    const qint64 jan5 = QDateTime(QDate(2024, 1, 5), QTime(23, 0), Qt::UTC).toSecsSinceEpoch();
    struct Case {
        KindFilter kind;
        bool dateFilter;
        QStringList names;
    };
    const Case cases[] = {
        {KindAll,
         false,
         {"20240105_101010_NOR.AVI", "20240105_111111_EVT.MP4", "20240105_151515_EVT.AVI",
          "20240105_SHORT.AVI", "20240106_121212_MOT.avi", "20240106_131313_nor.Mp4"}},
        {KindNormal, false, {"20240105_101010_NOR.AVI", "20240106_131313_nor.Mp4"}},
        {KindEvent, false, {"20240105_111111_EVT.MP4", "20240105_151515_EVT.AVI"}},
        {KindMotion, false, {"20240106_121212_MOT.avi"}},
        {KindFilter(0), false, Names(ListRecordings(CardRoot(), false, KindAll, false, 0))},
        {KindAll,
         true,
         {"20240105_101010_NOR.AVI", "20240105_111111_EVT.MP4", "20240105_151515_EVT.AVI",
          "20240105_SHORT.AVI"}},
        {KindEvent, true, {"20240105_111111_EVT.MP4", "20240105_151515_EVT.AVI"}},
        {KindMotion, true, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Names(ListRecordings(CardRoot(), false, c.kind, c.dateFilter, jan5)), c.names)
            << "kind " << c.kind << " date filter " << c.dateFilter;
}

TEST_F(Card, RowsHoldTheFiveColumns) {
    MakeFile(Recording("20240107_000000_NOR.AVI"), 1024);
    MakeFile(Recording("20240107_000001_NOR.AVI"), 999 * 1024 + 1023);
    MakeFile(Recording("20240107_000002_NOR.AVI"), 1000 * 1024);
    // The birth time is the creation date where the file system keeps one; a later change of
    // the modification time must not show.
    const QDateTime september2001(QDate(2001, 9, 9), QTime(12, 0));
    QFile changed(Recording("20240107_000002_NOR.AVI"));
    ASSERT_TRUE(changed.open(QIODevice::ReadWrite));
    ASSERT_TRUE(changed.setFileTime(september2001, QFileDevice::FileModificationTime));
    const bool keepsBirth = QFileInfo(changed).birthTime().isValid();
    const qint64 before = QDateTime::currentSecsSinceEpoch();
    const QList<RecordingEntry> rows =
        ListRecordings(CardRoot(), false, KindNormal, true,
                       QDateTime(QDate(2024, 1, 7), QTime(12, 0)).toSecsSinceEpoch());
    const QStringList today = {CreationDateText(before),
                               CreationDateText(QDateTime::currentSecsSinceEpoch())};
    const QStringList sizes = {"1", "999", "1,000"};
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows[2].Text(ColumnData),
              keepsBirth ? rows[0].Text(ColumnData) : QStringLiteral("01.09.09"));
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(i == 2 || today.contains(rows[i].Text(ColumnData)))
            << rows[i].Text(ColumnData).toStdString();
        EXPECT_EQ(rows[i].Text(ColumnSize), sizes[i]);
        EXPECT_EQ(rows[i].Text(ColumnCheck), "0");
        EXPECT_EQ(rows[i].Text(ColumnPath), CardRoot() + "Recordings/" + rows[i].Text(ColumnName));
    }
}

TEST_F(Card, FolderModeListsTheFolderItselfOnly) {
    MakeFile(root.filePath("20240108_000000_NOR.AVI"));
    EXPECT_EQ(Names(ListRecordings(CardRoot(), true, KindAll, false, 0)),
              QStringList{"20240108_000000_NOR.AVI"});
    const QString folder = root.filePath("Recordings/Backup");
    const QList<RecordingEntry> rows = ListRecordings(folder, true, KindAll, false, 0);
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows[0].Text(ColumnPath), folder + "/20240105_161616_NOR.AVI");
    EXPECT_EQ(ListRecordings(folder + u'/', true, KindAll, false, 0)[0].Text(ColumnPath),
              rows[0].Text(ColumnPath));
}

TEST_F(Card, MissingFolderGivesNoRows) {
    EXPECT_TRUE(ListRecordings(root.filePath("gone/"), false, KindAll, false, 0).isEmpty());
    EXPECT_TRUE(ListRecordings(root.filePath("gone"), true, KindAll, false, 0).isEmpty());
    // Without a trailing '/' the card root and "Recordings" run together, as the list always did.
    EXPECT_TRUE(ListRecordings(root.path(), false, KindAll, false, 0).isEmpty());
}

TEST(RecordingOrder, ComparesUtf16CodeUnits) {
    QTemporaryDir folder;
    const QStringList ordered = {"A.AVI",
                                 "A.AVI.AVI",
                                 "Ab.AVI",
                                 "aa.AVI",
                                 "z.AVI",
                                 QString::fromUtf8("é.AVI"),
                                 QString::fromUtf8("😀.AVI"),
                                 QString::fromUtf8("Ａ.AVI")};
    for (auto name = ordered.rbegin(); name != ordered.rend(); ++name)
        MakeFile(folder.filePath(*name));
    EXPECT_EQ(Names(ListRecordings(folder.path(), true, KindAll, false, 0)), ordered);
}

TEST(RecordingTexts, SizeHasOneThousandsGroup) {
    const std::pair<qint64, const char*> cases[] = {
        {1, "1"},
        {999, "999"},
        {1000, "1,000"},
        {1001, "1,001"},
        {57344, "57,344"},
        {999999, "999,999"},
        {1000000, "1000,000"},
        {1234567, "1234,567"},
        {4294967296, "4294967,296"},
    };
    for (const auto& [kib, text] : cases)
        EXPECT_EQ(SizeText(kib), text) << kib;
}

TEST(RecordingTexts, DatesAreLocal) {
    const qint64 may13Utc = QDateTime(QDate(2021, 5, 13), QTime(20, 0), Qt::UTC).toSecsSinceEpoch();
    struct Case {
        const char* zone;
        qint64 time;
        const char* created;
        const char* selected;
    };
    const Case cases[] = {
        {"UTC0", 0, "70.01.01", "19700101"},
        {"EST5", 0, "69.12.31", "19691231"},
        {"UTC0", may13Utc, "21.05.13", "20210513"},
        {"JST-9", may13Utc, "21.05.14", "20210514"},
        {"UTC0", QDateTime(QDate(2100, 2, 1), QTime(0, 0), Qt::UTC).toSecsSinceEpoch(), "00.02.01",
         "21000201"},
    };
    for (const Case& c : cases) {
        SetTimeZone(c.zone);
        EXPECT_EQ(CreationDateText(c.time), c.created) << c.zone << " " << c.time;
        EXPECT_EQ(SelectedDateText(c.time), c.selected) << c.zone << " " << c.time;
    }
    SetTimeZone("UTC0");
    // The last second whose year still fits tm_year: the year itself does not fit an int.
    EXPECT_EQ(CreationDateText(67768036191676799), "47.12.31");
    EXPECT_EQ(SelectedDateText(67768036191676799), "21474855471231");
    EXPECT_EQ(CreationDateText(std::numeric_limits<qint64>::max()), "00.00.00");
    EXPECT_EQ(SelectedDateText(std::numeric_limits<qint64>::max()), "00000000");
}

TEST(RecordingTexts, KindCodes) {
    EXPECT_EQ(KindCode(KindAll), "");
    EXPECT_EQ(KindCode(KindNormal), "NOR");
    EXPECT_EQ(KindCode(KindEvent), "EVT");
    EXPECT_EQ(KindCode(KindMotion), "MOT");
    EXPECT_EQ(KindCode(KindFilter(5)), "");
}

} // namespace
