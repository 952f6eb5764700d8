#include "library/DriveProvider.h"

#include "resources/LocalizedStrings.h"
#include "resources/StringIds.h"

#include <QDir>
#include <algorithm>

QString DriveCandidate::EntryText() const {
    return QStringLiteral("%1[%2]").arg(
        root, label.isEmpty() ? LoadLangString(StringId::PortableDisk) : label);
}

DriveProvider::~DriveProvider() = default;

QString DriveRootText(const QString& folder) {
    const QString clean = QDir::cleanPath(QDir(folder).absolutePath());
    return clean.endsWith(u'/') ? clean : clean + u'/';
}

QList<DriveCandidate> OrderedByRoot(QList<DriveCandidate> candidates) {
    const auto rootLess = [](const DriveCandidate& a, const DriveCandidate& b) {
        return QString::compare(a.root, b.root, Qt::CaseSensitive) < 0;
    };
    std::stable_sort(candidates.begin(), candidates.end(), rootLess);
    const auto sameRoot = [](const DriveCandidate& a, const DriveCandidate& b) {
        return a.root == b.root;
    };
    candidates.erase(std::unique(candidates.begin(), candidates.end(), sameRoot), candidates.end());
    return candidates;
}

QString LongestRootHolding(const QString& path, const QStringList& roots) {
    const QString folder = DriveRootText(path);
    QString holder;
    for (const QString& root : roots)
        if (folder.startsWith(root) && root.size() > holder.size())
            holder = root;
    return holder;
}
