#include "telemetry/GpsFile.h"

#include <QBuffer>
#include <gtest/gtest.h>

namespace {

QList<GpsFix> Parse(const QByteArray& text) {
    QBuffer file;
    file.setData(text);
    file.open(QIODevice::ReadOnly);
    return ReadGpsFixes(file);
}

QList<int> Offsets(const QList<GpsFix>& fixes) {
    QList<int> offsets;
    for (const GpsFix& fix : fixes)
        offsets << fix.offset;
    return offsets;
}

QByteArray Rmc(int offset, char status = 'A') {
    return QByteArray::number(offset) + ":$GPRMC,083015.000," + status +
           ",3733.1234,N,12658.5678,E,10.0,45.5,150313,,,A";
}

TEST(GpsFile, SkipsThreeHeaderLinesWhateverTheyHold) {
    const QByteArray text = Rmc(1) + "\r\n" + Rmc(2) + "\r\n" + Rmc(3) + "\r\n" + Rmc(4) + "\r\n";
    EXPECT_EQ(Offsets(Parse(text)), QList<int>{4});
    EXPECT_TRUE(Parse("a\r\nb\r\nc\r\n").isEmpty());
    EXPECT_TRUE(Parse("a\nb\n" + Rmc(3)).isEmpty());
    EXPECT_TRUE(Parse("").isEmpty());
}

TEST(GpsFile, KeepsValidFixesInFileOrder) {
    const QByteArray text = "QX5 GPS LOG\r\nVERSION 1.0\r\nSTART\r\n" + Rmc(3000) + "\r\n" +
                            Rmc(1000, 'V') + "\r\n" + "$GPGGA,1,2,3\r\n" + "\r\n" + Rmc(1000) +
                            "\n" + Rmc(2000) + "\r\r\n" + Rmc(5000);
    // LF and CR LF both end a line; a last line without an end still counts.
    EXPECT_EQ(Offsets(Parse(text)), (QList<int>{3000, 1000, 2000, 5000}));
}

TEST(GpsFile, SkipsSentencesTooLongForTheParseBuffer) {
    const QByteArray head = "h\nh\nh\n";
    const QByteArray rmc = Rmc(7).mid(2); // the sentence without "7:"
    const QByteArray fits = "7:" + rmc + ',' + QByteArray(1023 - rmc.size() - 1, 'x');
    const QByteArray tooLong = "8:" + rmc + ',' + QByteArray(1023 - rmc.size(), 'x');
    const QByteArray huge = "9:" + rmc + ',' + QByteArray(100000, 'x');
    EXPECT_EQ(Offsets(Parse(head + fits + '\n' + tooLong + '\n' + huge + '\n' + Rmc(10))),
              (QList<int>{7, 10}));
    // A long header line is still one line.
    EXPECT_EQ(Offsets(Parse(QByteArray(10000, 'h') + "\nh\nh\n" + Rmc(11))), QList<int>{11});
}

TEST(GpsFile, LineEndsAtAZeroByte) {
    // A file cut short by a power loss is padded with zero bytes.
    QByteArray text = "h\nh\nh\n" + Rmc(1) + '\0' + ",junk\n" + QByteArray(5000, '\0') + "\n" +
                      Rmc(2) + "\n" + QByteArray(300, '\0');
    EXPECT_EQ(Offsets(Parse(text)), (QList<int>{1, 2}));
}

} // namespace
