#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// A drive that may hold the camera's card: the root of a removable volume (its mount point with
// a trailing '/') or the root given with --card.
struct DriveCandidate {
    QString root;
    QString label; // the volume's label; empty when none is known

    // "root[label]", with "Portable Disk" (in the user-interface language) for a missing label.
    QString EntryText() const;

    friend bool operator==(const DriveCandidate&, const DriveCandidate&) = default;
};

// Where the library learns which drives are removable; the real one reads the system, tests
// use FakeDriveProvider.
class DriveProvider {
public:
    virtual ~DriveProvider();
    // The removable drives, ordered by root.
    virtual QList<DriveCandidate> RemovableDrives() const = 0;
    // The root of the drive that holds a path (a library root): the mount point of its volume,
    // or the --card root when the path lies inside it. Empty when nothing holds it.
    virtual QString DriveRootOf(const QString& path) const = 0;
};

// A folder written as a drive root: absolute, without "." or "..", ending with '/'.
QString DriveRootText(const QString& folder);

// The candidates sorted by root in UTF-16 code units, one per root.
QList<DriveCandidate> OrderedByRoot(QList<DriveCandidate> candidates);

// Of the roots (in root form), the longest that holds path; empty when none does.
QString LongestRootHolding(const QString& path, const QStringList& roots);
