#include "resources/StringTable.h"

#include <QFile>
#include <QMutex>

namespace StringTable {

namespace {

QString Unescape(QStringView text) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'\\' && i + 1 < text.size()) {
            const QChar next = text[++i];
            out += next == u'n' ? QChar(u'\n') : next;
        } else {
            out += text[i];
        }
    }
    return out;
}

const QHash<int, QString>& TableOf(quint16 language) {
    static QMutex mutex;
    static QHash<quint16, QHash<int, QString>> loaded;
    QMutexLocker lock(&mutex);
    auto it = loaded.find(language);
    if (it == loaded.end()) {
        QFile file(QStringLiteral(":/strings/%1.txt").arg(language));
        QHash<int, QString> table;
        if (file.open(QIODevice::ReadOnly))
            table = ParseTable(file.readAll());
        it = loaded.insert(language, table);
    }
    return *it;
}

} // namespace

QHash<int, QString> ParseTable(const QByteArray& utf8) {
    QHash<int, QString> table;
    const QString text = QString::fromUtf8(utf8);
    for (QStringView line : QStringView(text).split(u'\n')) {
        const qsizetype tab = line.indexOf(u'\t');
        if (tab <= 0)
            continue;
        bool ok = false;
        const int id = line.left(tab).toInt(&ok);
        if (ok)
            table.insert(id, Unescape(line.mid(tab + 1)));
    }
    return table;
}

QString Lookup(quint16 language, int id) {
    switch (language) {
    case English:
    case Japanese:
    case Korean:
    case Russian:
        return TableOf(language).value(id);
    default:
        return {};
    }
}

} // namespace StringTable
