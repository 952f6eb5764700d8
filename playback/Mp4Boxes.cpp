#include "playback/Mp4Boxes.h"

#include <QtEndian>

QList<Mp4Box> ReadBoxes(const QByteArray& body) {
    QList<Mp4Box> boxes;
    for (qsizetype at = 0; at + 8 <= body.size();) {
        qint64 size = qFromBigEndian<quint32>(body.constData() + at);
        qsizetype header = 8;
        if (size == 1) {
            if (at + 16 > body.size())
                break;
            size = qint64(qFromBigEndian<quint64>(body.constData() + at + 8) & 0x7FFFFFFFFFFFFFFF);
            header = 16;
        } else if (size == 0) {
            size = body.size() - at;
        }
        if (size < header || size > body.size() - at)
            break;
        boxes.append(
            {body.mid(at + 4, 4), body.mid(at + header, size - header), body.mid(at, size)});
        at += size;
    }
    return boxes;
}

std::optional<Mp4Box> FindBox(const QByteArray& body, const QByteArray& path) {
    const QByteArray first = path.left(4);
    for (const Mp4Box& box : ReadBoxes(body)) {
        if (box.type != first)
            continue;
        if (path.size() <= 4)
            return box;
        return FindBox(box.body, path.mid(5));
    }
    return std::nullopt;
}

void AppendWord16(QByteArray& bytes, quint16 value) {
    char word[2];
    qToBigEndian(value, word);
    bytes.append(word, 2);
}

void AppendWord32(QByteArray& bytes, quint32 value) {
    char word[4];
    qToBigEndian(value, word);
    bytes.append(word, 4);
}

void AppendWord64(QByteArray& bytes, quint64 value) {
    char word[8];
    qToBigEndian(value, word);
    bytes.append(word, 8);
}

QByteArray MakeBox(const char* type, const QByteArray& body) {
    QByteArray box;
    AppendWord32(box, quint32(8 + body.size()));
    box.append(type, 4);
    return box + body;
}

QByteArray MakeFullBox(const char* type, int version, quint32 flags, const QByteArray& body) {
    QByteArray header;
    AppendWord32(header, quint32(version) << 24 | (flags & 0xFFFFFF));
    return MakeBox(type, header + body);
}
