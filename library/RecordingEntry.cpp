#include "library/RecordingEntry.h"

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
