#include "playback/SnapshotName.h"

#include <QFileInfo>

namespace {

constexpr qsizetype ExtensionLength = 4; // ".AVI", ".MP4", ".jpg"

} // namespace

QString SnapshotFileName(const QString& recordingName, int number) {
    const QString base = recordingName.chopped(qMin(ExtensionLength, recordingName.size()));
    return QStringLiteral("%1_%2.jpg").arg(base).arg(number, 3, 10, QLatin1Char('0'));
}

QString SuggestSnapshotName(const QString& folder, const QString& recordingName) {
    if (folder.isEmpty())
        return SnapshotFileName(recordingName, 1);
    const QString prefix = folder.endsWith(u'/') ? folder : folder + u'/';
    int number = 1;
    while (QFileInfo::exists(prefix + SnapshotFileName(recordingName, number)))
        ++number;
    return SnapshotFileName(recordingName, number);
}

QString SnapshotTarget(const QString& chosenPath) {
    const QString name = QFileInfo(chosenPath).fileName();
    const qsizetype dot = name.lastIndexOf(u'.');
    const bool jpg = dot >= 0 && name.mid(dot + 1).toUpper() == QLatin1String("JPG");
    return (jpg ? chosenPath.chopped(ExtensionLength) : chosenPath) + QStringLiteral(".jpg");
}

QString SnapshotFolderOf(const QString& target) {
    const qsizetype slash = target.lastIndexOf(u'/');
    return slash > 0 ? target.left(slash) : QString();
}
