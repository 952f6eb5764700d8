#include "common/NativePath.h"

#include <QFile>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr char16_t KeptByteBase = 0xDC00; // a kept byte b (0x80..0xFF) is U+DC00 + b

bool IsKeptByte(char16_t unit) {
    return unit >= KeptByteBase + 0x80 && unit <= KeptByteBase + 0xFF;
}

bool IsContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// The length of the well-formed UTF-8 sequence at `at` and its code point, or 0 when the bytes
// there are not one (overlong forms, surrogates and values beyond U+10FFFF included).
int Utf8Sequence(const unsigned char* at, qsizetype left, char32_t& codePoint) {
    const unsigned char lead = at[0];
    int length;
    char32_t minimum;
    if (lead < 0x80) {
        codePoint = lead;
        return 1;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2, minimum = 0x80, codePoint = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, minimum = 0x800, codePoint = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, minimum = 0x10000, codePoint = lead & 0x07;
    } else {
        return 0;
    }
    if (left < length)
        return 0;
    for (int i = 1; i < length; ++i) {
        if (!IsContinuation(at[i]))
            return 0;
        codePoint = codePoint << 6 | (at[i] & 0x3F);
    }
    if (codePoint < minimum || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF))
        return 0;
    return length;
}

} // namespace

QString PathFromNative(const QByteArray& bytes) {
    QString path;
    path.reserve(bytes.size());
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.constData());
    for (qsizetype at = 0; at < bytes.size();) {
        char32_t codePoint = 0;
        const int length = Utf8Sequence(data + at, bytes.size() - at, codePoint);
        if (length == 0) {
            path += QChar(char16_t(KeptByteBase + data[at]));
            ++at;
            continue;
        }
        // QString::fromUcs4 drops U+FEFF, which would name another file.
        if (QChar::requiresSurrogates(codePoint)) {
            path += QChar(QChar::highSurrogate(codePoint));
            path += QChar(QChar::lowSurrogate(codePoint));
        } else {
            path += QChar(char16_t(codePoint));
        }
        at += length;
    }
    return path;
}

QByteArray NativePath(const QString& path) {
    QByteArray bytes;
    bytes.reserve(path.size());
    qsizetype plainFrom = 0;
    for (qsizetype at = 0; at < path.size(); ++at) {
        const char16_t unit = path[at].unicode();
        // A kept byte is a lone low surrogate: one after a high surrogate is half a character.
        const bool afterHigh = at > 0 && path[at - 1].isHighSurrogate();
        if (!IsKeptByte(unit) || afterHigh)
            continue;
        bytes += QStringView(path).mid(plainFrom, at - plainFrom).toUtf8();
        bytes += char(unit - KeptByteBase);
        plainFrom = at + 1;
    }
    bytes += QStringView(path).mid(plainFrom).toUtf8();
    return bytes;
}

QString DisplayName(const QString& path) {
    QString shown = path;
    for (qsizetype at = 0; at < shown.size(); ++at)
        if (IsKeptByte(shown[at].unicode()) && !(at > 0 && shown[at - 1].isHighSurrogate()))
            shown[at] = QChar::ReplacementCharacter;
    return shown;
}

bool OpenNativeForReading(QFile& file, const QString& path, QIODevice::OpenMode flags) {
    const int descriptor = ::open(NativePath(path).constData(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0)
        return false;
    if (file.open(descriptor, QIODevice::ReadOnly | flags, QFileDevice::AutoCloseHandle))
        return true;
    ::close(descriptor);
    return false;
}

bool IsNativeFile(const QString& path) {
    return NativeFileSize(path) >= 0;
}

qint64 NativeFileSize(const QString& path) {
    struct stat status;
    if (::stat(NativePath(path).constData(), &status) != 0 || !S_ISREG(status.st_mode))
        return -1;
    return status.st_size;
}

bool IsNativeFolder(const QString& path) {
    struct stat status;
    return ::stat(NativePath(path).constData(), &status) == 0 && S_ISDIR(status.st_mode);
}

bool NativePathExists(const QString& path) {
    struct stat status;
    return ::lstat(NativePath(path).constData(), &status) == 0;
}
