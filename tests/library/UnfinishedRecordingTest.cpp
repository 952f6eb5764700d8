#include "library/UnfinishedRecording.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>

namespace {

QByteArray ReadCardRecording(const char* name) {
    QFile file(qEnvironmentVariable("KARVENNA_TEST_CARD") + QStringLiteral("/Recordings/") +
               QString::fromUtf8(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// What a power cut leaves: an MP4 without its moov box, an AVI without idx1 and the sizes it
// writes last; files cut off anywhere; and beside them finished recordings and files that are
// neither, which are never marked.
TEST(UnfinishedRecordings, AreToldFromTheFirstBytesOfTheFile) {
    const QByteArray avi = ReadCardRecording("20261201_081500_NOR.AVI");
    const QByteArray mp4 = ReadCardRecording("20261201_081640_EVT.MP4");
    ASSERT_TRUE(avi.startsWith("RIFF") && mp4.mid(4, 4) == "ftyp");
    const qsizetype moov = mp4.indexOf("moov") - 4;
    const quint32 moovSize = qFromBigEndian<quint32>(mp4.constData() + moov);
    QByteArray powerCutAvi = avi.left(avi.lastIndexOf("idx1"));
    qToLittleEndian<quint32>(0, powerCutAvi.data() + 4);
    const struct {
        const char* name;
        QByteArray bytes;
        bool unfinished;
    } cases[] = {
        {"20240101_000001_NOR.AVI", avi, false},
        {"20240101_000002_NOR.AVI", powerCutAvi, true},
        {"20240101_000003_NOR.AVI", avi.left(avi.size() * 6 / 10), true},
        {"20240101_000004_NOR.AVI", avi.left(avi.lastIndexOf("idx1")), true},
        {"20240101_000005_EVT.MP4", mp4, false},
        {"20240101_000006_EVT.MP4", QByteArray(mp4).remove(moov, moovSize), true},
        {"20240101_000007_EVT.MP4", mp4.left(mp4.size() / 2), true},
        // Told only when opened: the list reads no further than the start of the file.
        {"20240101_000008_EVT.MP4", mp4.left(moov + moovSize / 2), false},
        {"20240101_000009_EVT.MP4", QByteArray(2048, 'x'), false},
        {"20240101_000010_EVT.AVI", QByteArray("RIFF") + QByteArray(2044, '\0'), false},
    };
    QTemporaryDir folder;
    for (const auto& c : cases) {
        QFile file(folder.filePath(QString::fromUtf8(c.name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(c.bytes);
        file.close();
        EXPECT_EQ(IsUnfinishedRecording(file.fileName()), c.unfinished) << c.name;
    }
    EXPECT_FALSE(IsUnfinishedRecording(folder.filePath("20240101_000011_NOR.AVI"))) << "missing";
}

} // namespace
