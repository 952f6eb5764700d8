#pragma once

#include <QHash>
#include <QString>

// The program's texts in its four languages, looked up by exact (language, ID).
namespace StringTable {

constexpr quint16 English = 1033;
constexpr quint16 Japanese = 1041;
constexpr quint16 Korean = 1042;
constexpr quint16 Russian = 1049;

// Empty for a language or ID the table does not hold; never falls back to another language.
QString Lookup(quint16 language, int id);

// One language's file: "ID<TAB>text" per line, "\n" and "\\" escaped. Exposed for the tests.
QHash<int, QString> ParseTable(const QByteArray& utf8);

} // namespace StringTable
