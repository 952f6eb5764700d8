#include "incident/SpanRecordings.h"

#include "library/RecordingCatalogue.h"
#include "playback/MediaFile.h"
#include "playback/MediaTime.h"

#include <algorithm>

namespace {

// The fields are read apart so that no clock change of this PC's zone shifts or refuses one.
std::optional<QDateTime> CameraTime(QDate date, QTime time) {
    if (!date.isValid() || !time.isValid())
        return std::nullopt;
    return QDateTime(date, time, Qt::UTC);
}

} // namespace

std::optional<QDateTime> ParseCameraTime(const QString& text) {
    if (text.size() != 19 || text[10] != u'T')
        return std::nullopt;
    return CameraTime(QDate::fromString(text.left(10), QStringLiteral("yyyy-MM-dd")),
                      QTime::fromString(text.mid(11), QStringLiteral("HH:mm:ss")));
}

QString CameraTimeText(const QDateTime& time) {
    return time.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss"));
}

std::optional<QDateTime> RecordingStart(const QString& name) {
    if (name.size() < 15 || name[8] != u'_')
        return std::nullopt;
    return CameraTime(QDate::fromString(name.left(8), QStringLiteral("yyyyMMdd")),
                      QTime::fromString(name.mid(9, 6), QStringLiteral("HHmmss")));
}

QList<SpanRecording> FindSpanRecordings(const QString& libraryRoot, bool folderMode,
                                        const QDateTime& from, const QDateTime& to,
                                        QString& error) {
    QList<SpanRecording> found;
    if (to <= from) {
        error = QStringLiteral("the span ends at %1, not after its start %2")
                    .arg(CameraTimeText(to), CameraTimeText(from));
        return found;
    }
    // The catalogue expects a drive root's trailing '/'.
    const QString root =
        folderMode || libraryRoot.endsWith(u'/') ? libraryRoot : libraryRoot + u'/';
    for (const RecordingEntry& entry : ListRecordings(root, folderMode, KindAll, false, 0)) {
        const std::optional<QDateTime> start = RecordingStart(entry.name);
        if (!start || *start >= to)
            continue;
        QString openError;
        const std::unique_ptr<MediaFile> file = MediaFile::Open(entry.path, openError);
        if (!file)
            continue;
        const qint64 lengthMs = file->Duration() / MediaTime::UnitsPerMs;
        if (start->addMSecs(lengthMs) > from)
            found.append({entry.path, *start, lengthMs});
    }
    std::stable_sort(
        found.begin(), found.end(),
        [](const SpanRecording& a, const SpanRecording& b) { return a.start < b.start; });
    QDateTime shownUntil = from;
    for (SpanRecording& recording : found) {
        const QDateTime end = std::min(recording.start.addMSecs(recording.lengthMs), to);
        recording.fromMs = std::max<qint64>(0, recording.start.msecsTo(shownUntil));
        recording.toMs = std::max(recording.fromMs, recording.start.msecsTo(end));
        shownUntil = std::max(shownUntil, end);
    }
    if (found.isEmpty())
        error =
            QStringLiteral("no recording of %1 shows %2 to %3")
                .arg(CatalogueFolder(root, folderMode), CameraTimeText(from), CameraTimeText(to));
    return found;
}
