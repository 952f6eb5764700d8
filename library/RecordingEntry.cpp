#include "library/RecordingEntry.h"

#include "common/NativePath.h"
#include "library/RecordingTexts.h"

QString RecordingEntry::Text(int column) const {
    switch (column) {
    case ColumnName:
        return DisplayName(name);
    case ColumnData:
        return CreationDateText(created);
    case ColumnSize:
        return SizeText(sizeKib);
    case ColumnCheck:
        return checked ? QStringLiteral("1") : QStringLiteral("0");
    case ColumnPath:
        return path;
    default:
        return {};
    }
}

QStringList RecordingEntry::Texts() const {
    QStringList texts;
    for (int column = 0; column < RecordingColumnCount; ++column)
        texts << Text(column);
    return texts;
}

QString KindCode(RecordingKind kind) {
    switch (kind) {
    case RecordingKind::Normal:
        return QStringLiteral("NOR");
    case RecordingKind::Event:
        return QStringLiteral("EVT");
    case RecordingKind::Motion:
        return QStringLiteral("MOT");
    }
    return {};
}

QString KindCode(KindFilter filter) {
    switch (filter) {
    case KindNormal:
        return KindCode(RecordingKind::Normal);
    case KindEvent:
        return KindCode(RecordingKind::Event);
    case KindMotion:
        return KindCode(RecordingKind::Motion);
    default:
        return {};
    }
}
