#include "library/RecordingLength.h"

#include "tests/telemetry/InjectedDrive.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

std::optional<qint64> LengthOf(QByteArray bytes) {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    return RecordingLengthMs(buffer);
}

QByteArray CardRecording(const QString& extension) {
    const QDir folder(qEnvironmentVariable("KARVENNA_TEST_CARD") + "/Recordings");
    QFile file(folder.filePath(folder.entryList({"*." + extension}, QDir::Files).value(0)));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(RecordingLength, ReadsTheContainersHeader) {
    // The test card's recordings play three seconds.
    for (const char* extension : {"AVI", "MP4"}) {
        const std::optional<qint64> length = LengthOf(CardRecording(extension));
        ASSERT_TRUE(length) << extension;
        EXPECT_NEAR(double(*length), 3000.0, 100.0) << extension;
    }
    EXPECT_EQ(LengthOf(InjectedDrive::AviBytes(184'300)), 184'300);
}

TEST(RecordingLength, TellsNothingOfAFileThatCountedNothing) {
    QByteArray counted0 = InjectedDrive::AviBytes(0);
    const QByteArray mp4 = CardRecording("MP4");
    const qsizetype moov = mp4.indexOf("moov");
    ASSERT_GT(moov, 0);
    QByteArray mvhdWithoutScale = mp4;
    const qsizetype mvhd = mp4.indexOf("mvhd", moov);
    mvhdWithoutScale.replace(mvhd + 4 + 4 + 8, 4, QByteArray(4, '\0'));
    const struct {
        const char* what;
        QByteArray bytes;
    } cases[] = {
        {"an AVI that counted no frames", counted0},
        {"an AVI cut inside its header", InjectedDrive::AviBytes(3000).left(40)},
        {"an MP4 without its moov box", mp4.left(moov - 4)},
        {"an MP4 cut inside its moov box", mp4.left(mp4.size() - 1)},
        {"a movie header without a time scale", mvhdWithoutScale},
        {"no recording at all", QByteArray("notes of the demo card\n")},
        {"an empty file", QByteArray()},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LengthOf(c.bytes), std::nullopt) << c.what;
    EXPECT_EQ(RecordingLengthMs(QStringLiteral("/nonexistent/20130521_153000_NOR.AVI")),
              std::nullopt);
}

} // namespace
