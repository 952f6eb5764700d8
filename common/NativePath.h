#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>

class QFile;

// File names on Linux are bytes, and a card written by the camera or another system may hold
// names that are not UTF-8. A path decoded with PathFromNative keeps every such byte as a lone
// surrogate U+DC80..U+DCFF, so that NativePath gives back exactly the bytes it came from; Qt's
// own conversion would turn them into U+FFFD and name another file.
QString PathFromNative(const QByteArray& bytes);
QByteArray NativePath(const QString& path);

// The path or name for a person to read: every kept byte shown as U+FFFD.
QString DisplayName(const QString& path);

// Opens the file of a path from PathFromNative for reading (and `flags`, such as Unbuffered);
// false when it cannot.
bool OpenNativeForReading(QFile& file, const QString& path, QIODevice::OpenMode flags = {});
// True when the path names a regular file (following links).
bool IsNativeFile(const QString& path);
// The size of the regular file the path names (following links); -1 when it names none.
qint64 NativeFileSize(const QString& path);
// True when the path names a folder (following links).
bool IsNativeFolder(const QString& path);
// True when anything is there under the path's name, a dangling link included.
bool NativePathExists(const QString& path);
