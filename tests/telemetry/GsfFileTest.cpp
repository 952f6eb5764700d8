#include "telemetry/GsfFile.h"

#include <QBuffer>
#include <QtEndian>
#include <algorithm>
#include <cstring>
#include <gtest/gtest.h>

namespace {

QByteArray Record(quint32 offset, qint32 x, qint32 y, qint32 z) {
    QByteArray record(32, '\x5A'); // the bytes that are not read hold something
    qToLittleEndian(offset, record.data());
    qToLittleEndian(x, record.data() + 8);
    qToLittleEndian(y, record.data() + 12);
    qToLittleEndian(z, record.data() + 16);
    return record;
}

QList<GSensorSample> Parse(const QByteArray& bytes) {
    QBuffer file;
    file.setData(bytes);
    file.open(QIODevice::ReadOnly);
    return ReadGsfSamples(file);
}

// Hands the bytes out a few at a time, as a pipe or a slow card may.
class TricklingDevice : public QIODevice {
public:
    explicit TricklingDevice(QByteArray bytes) : m_bytes(std::move(bytes)) {
        open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char* data, qint64 maxSize) override {
        const qint64 count = std::min({maxSize, qint64(13), m_bytes.size() - m_at});
        std::memcpy(data, m_bytes.constData() + m_at, size_t(count));
        m_at += count;
        return count;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QByteArray m_bytes;
    qint64 m_at = 0;
};

bool Same(const GSensorSample& a, const GSensorSample& b) {
    return a.x == b.x && a.y == b.y && a.z == b.z && a.offset == b.offset;
}

TEST(GsfFile, ClampsAxesAndDropsTheTrailingPiece) {
    const QByteArray header(524, '\x7F');
    const QByteArray bytes = header + Record(0, 500, -500, 119) + Record(100, 120, -120, -119) +
                             Record(4000000000u, INT32_MAX, INT32_MIN, 0) + QByteArray(10, '\1');
    const QList<GSensorSample> samples = Parse(bytes);
    const GSensorSample expected[] = {
        {120, -120, 119, 0}, {120, -120, -119, 100}, {120, -120, 0, 4000000000u}};
    ASSERT_EQ(samples.size(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(Same(samples[i], expected[i])) << i;
}

TEST(GsfFile, HeaderAloneOrLessGivesNoSamples) {
    for (int size : {0, 100, 524, 524 + 31})
        EXPECT_TRUE(Parse(QByteArray(size, '\0')).isEmpty()) << size;
}

TEST(GsfFile, ReadsLongFilesWhole) {
    // Ten minutes of samples, handed out in pieces that split the header and the records.
    QByteArray bytes(524, '\0');
    for (int i = 0; i < 6000; ++i)
        bytes += Record(quint32(i * 100), i % 241 - 120, -(i % 7), i % 3);
    TricklingDevice file(bytes + "tail");
    const QList<GSensorSample> samples = ReadGsfSamples(file);
    ASSERT_EQ(samples.size(), 6000);
    for (int i : {0, 511, 512, 5999})
        EXPECT_TRUE(Same(samples[i], {i % 241 - 120, -(i % 7), i % 3, quint32(i * 100)})) << i;
}

} // namespace
