#include "settings/FakeCardFormatter.h"

#include <QDir>

bool FakeCardFormatter::IsRemovableVolume(const QString& root) {
    return !removableRoot.isEmpty() && root == removableRoot;
}

QString FakeCardFormatter::Label(const QString& root) {
    return IsRemovableVolume(root) ? label : QString();
}

bool FakeCardFormatter::SetLabel(const QString& root, const QString& newLabel) {
    calls.append(QStringLiteral("label ") + newLabel);
    if (!IsRemovableVolume(root))
        return false;
    label = newLabel;
    return true;
}

FormatResult FakeCardFormatter::Format(const QString& root, const QString& newLabel) {
    calls.append(QStringLiteral("format ") + newLabel);
    if (!IsRemovableVolume(root) || answer == FormatResult::Failed)
        return {FormatResult::Failed, {}, QStringLiteral("not formatted")};
    if (answer == FormatResult::Cancelled)
        return {FormatResult::Cancelled, {}, {}};
    QDir folder(root);
    for (const QString& entry :
         folder.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) {
        QFileInfo info(folder.filePath(entry));
        if (info.isDir() && !info.isSymLink())
            QDir(info.filePath()).removeRecursively();
        else
            folder.remove(entry);
    }
    label = newLabel;
    if (afterFormat)
        afterFormat();
    return {FormatResult::Formatted, mountedAgainAt.isEmpty() ? root : mountedAgainAt, {}};
}
