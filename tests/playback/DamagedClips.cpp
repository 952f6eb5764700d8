#include "tests/playback/DamagedClips.h"

#include "tests/playback/TestClips.h"

#include <QFile>
#include <QRandomGenerator>
#include <QtEndian>
#include <algorithm>

namespace Damage {

QByteArray Read(const QString& path) {
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

QString Write(const QString& name, const QByteArray& bytes) {
    const QString path = Clips().folder + "/" + name;
    QFile file(path);
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    file.write(bytes);
    return path;
}

qsizetype Find(const QByteArray& bytes, const char* fourCc, qsizetype from) {
    return bytes.indexOf(QByteArray(fourCc, 4), from);
}

QByteArray WithWord(QByteArray bytes, qsizetype offset, quint32 value, bool bigEndian) {
    if (bigEndian)
        qToBigEndian(value, bytes.data() + offset);
    else
        qToLittleEndian(value, bytes.data() + offset);
    return bytes;
}

QByteArray WithoutIndex(const QByteArray& avi) {
    return avi.left(avi.lastIndexOf("idx1"));
}

QByteArray PowerCut(QByteArray avi) {
    avi = WithoutIndex(avi);
    avi = WithWord(avi, 4, 0);                          // RIFF size
    avi = WithWord(avi, Find(avi, "movi") - 4, 0);      // movi list size
    avi = WithWord(avi, Find(avi, "avih") + 8 + 16, 0); // total frames
    for (qsizetype strh = Find(avi, "strh"); strh >= 0; strh = Find(avi, "strh", strh + 4))
        avi = WithWord(avi, strh + 8 + 32, 0); // stream length
    return avi;
}

QByteArray WithoutMoov(QByteArray mp4) {
    const qsizetype moov = Find(mp4, "moov") - 4;
    return mp4.remove(moov, qFromBigEndian<quint32>(mp4.constData() + moov));
}

QByteArray IndexShuffled(QByteArray avi, int seed) {
    const qsizetype entries = avi.lastIndexOf("idx1") + 8;
    const qsizetype count = (avi.size() - entries) / 16;
    QList<QByteArray> shuffled;
    for (qsizetype i = 0; i < count; ++i)
        shuffled.append(avi.mid(entries + i * 16, 16));
    std::shuffle(shuffled.begin(), shuffled.end(), QRandomGenerator(seed));
    for (qsizetype i = 0; i < count; ++i)
        avi.replace(entries + i * 16, 16, shuffled[i]);
    return avi;
}

QByteArray IndexOffsetsScrambled(QByteArray avi, int fromEntry, int seed) {
    QRandomGenerator random(seed);
    const qsizetype entries = avi.lastIndexOf("idx1") + 8;
    for (qsizetype at = entries + fromEntry * 16; at + 16 <= avi.size(); at += 16)
        qToLittleEndian(random.generate(), avi.data() + at + 8);
    return avi;
}

QByteArray WithTableEntries(QByteArray mp4, const char* box, quint32 value) {
    // After the box type: version and flags, stsz's common sample size, then the count.
    const qsizetype count = Find(mp4, box) + (qstrcmp(box, "stsz") == 0 ? 12 : 8);
    const quint32 entries = qFromBigEndian<quint32>(mp4.constData() + count);
    for (quint32 i = 0; i < entries; ++i)
        qToBigEndian(value, mp4.data() + count + 4 + 4 * i);
    return mp4;
}

QByteArray Garbled(QByteArray bytes, qsizetype from, qsizetype length, int seed) {
    QRandomGenerator random(seed);
    for (qsizetype i = from; i < from + length; ++i)
        bytes[i] = char(random.bounded(256));
    return bytes;
}

QByteArray Truncated(const QByteArray& bytes, double fraction) {
    return bytes.left(qsizetype(double(bytes.size()) * fraction));
}

QByteArray Flipped(QByteArray bytes, int seed, int count, qsizetype from) {
    QRandomGenerator random(seed);
    for (int i = 0; i < count; ++i)
        bytes[from + random.bounded(bytes.size() - from)] = char(random.bounded(256));
    return bytes;
}

QByteArray Zeroed(QByteArray bytes, double fromFraction, double toFraction) {
    const auto from = qsizetype(double(bytes.size()) * fromFraction);
    const auto to = qsizetype(double(bytes.size()) * toFraction);
    bytes.replace(from, to - from, QByteArray(to - from, '\0'));
    return bytes;
}

} // namespace Damage
