#pragma once

#include <QString>
#include <QStringList>

// The columns of a file-list row; other rooms read a row's texts by these indexes.
enum RecordingColumn {
    ColumnName = 0,
    ColumnData = 1,
    ColumnSize = 2,
    ColumnCheck = 3,
    ColumnPath = 4
};
constexpr int RecordingColumnCount = 5;

// One recording of the file list. The list shows it as five texts (Text); the check state is
// "1" or "0" there. The path and the name keep a name's bytes that are not UTF-8
// (common/NativePath.h); the name's text shows them as U+FFFD.
struct RecordingEntry {
    QString path;
    QString name;
    qint64 sizeKib = 0;
    qint64 created = 0; // seconds since 1970, UTC
    bool checked = false;

    QString Text(int column) const;
    // The five texts in column order.
    QStringList Texts() const;
};

// The kind of a recording, written as a three-letter code at positions 16 to 18 of its name.
enum class RecordingKind { Normal, Event, Motion };

// Which kinds the list shows; the values are those of the kind buttons A, N, E and M.
enum KindFilter { KindAll = 1, KindNormal = 2, KindEvent = 3, KindMotion = 4 };

QString KindCode(RecordingKind kind);
// Empty for All (no kind test), the kind's code otherwise; a value outside 1 to 4 means All.
QString KindCode(KindFilter filter);
