#include "incident/PackHashes.h"

#include "common/WholeFileWriter.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <QRegularExpression>
#include <memory>
#include <openssl/evp.h>

namespace {

constexpr qint64 ChunkBytes = 1 << 20;

// Every regular file under `folder` by its path relative to it, the hash list left out.
QStringList PackFiles(const QString& folder) {
    // Relative paths would be taken relative to the pack a second time.
    const QDir root(QFileInfo(folder).absoluteFilePath());
    QStringList files;
    QDirIterator it(root.path(), QDir::Files | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString relative = root.relativeFilePath(it.next());
        if (relative != HashListName)
            files.append(relative);
    }
    files.sort();
    return files;
}

} // namespace

QString FileSha256(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const std::unique_ptr<EVP_MD_CTX, decltype(&EVP_MD_CTX_free)> context(EVP_MD_CTX_new(),
                                                                          EVP_MD_CTX_free);
    if (!context || EVP_DigestInit_ex(context.get(), EVP_sha256(), nullptr) != 1)
        return {};
    QByteArray chunk(ChunkBytes, Qt::Uninitialized);
    for (;;) {
        const qint64 got = file.read(chunk.data(), ChunkBytes);
        if (got < 0)
            return {};
        if (got == 0)
            break;
        if (EVP_DigestUpdate(context.get(), chunk.constData(), size_t(got)) != 1)
            return {};
    }
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    if (EVP_DigestFinal_ex(context.get(), digest, &length) != 1)
        return {};
    return QString::fromLatin1(
        QByteArray(reinterpret_cast<const char*>(digest), int(length)).toHex());
}

QString WriteHashList(const QString& folder) {
    QByteArray list;
    for (const QString& file : PackFiles(folder)) {
        const QString hash = FileSha256(QDir(folder).filePath(file));
        if (hash.isEmpty())
            return QStringLiteral("cannot read %1").arg(QDir(folder).filePath(file));
        list += hash.toLatin1() + "  " + file.toUtf8() + '\n';
    }
    return WriteWholeFile(QDir(folder).filePath(HashListName), list);
}

QStringList VerifyPack(const QString& folder) {
    QFile listFile(QDir(folder).filePath(HashListName));
    if (!listFile.open(QIODevice::ReadOnly))
        return {QStringLiteral("no %1 in %2").arg(HashListName, folder)};
    static const QRegularExpression line(QStringLiteral("^([0-9a-f]{64})  (.+)$"));
    QMap<QString, QString> listed;
    QStringList faults;
    int number = 0;
    for (const QByteArray& text : listFile.readAll().split('\n')) {
        ++number;
        if (text.isEmpty())
            continue;
        const QRegularExpressionMatch match = line.match(QString::fromUtf8(text));
        if (!match.hasMatch()) {
            faults.append(
                QStringLiteral("%1 line %2 cannot be read").arg(HashListName).arg(number));
            continue;
        }
        listed.insert(match.captured(2), match.captured(1));
    }
    for (auto it = listed.cbegin(); it != listed.cend(); ++it) {
        const QString path = QDir(folder).filePath(it.key());
        if (!QFileInfo(path).isFile())
            faults.append(QStringLiteral("missing: %1").arg(it.key()));
        else if (FileSha256(path) != it.value())
            faults.append(QStringLiteral("changed: %1").arg(it.key()));
    }
    for (const QString& file : PackFiles(folder))
        if (!listed.contains(file))
            faults.append(QStringLiteral("added: %1").arg(file));
    return faults;
}
