#pragma once

#include <QString>

// What a format ended in.
struct FormatResult {
    enum Status { Formatted, Cancelled, Failed };
    Status status = Failed;
    QString root;  // Formatted: where the new file system is mounted, in root form
    QString error; // Failed: the system's reason
};

// The volume operations card formatting needs, on the volume mounted at a drive root (a mount
// point ending with '/'). The real one asks udisks2; tests use FakeCardFormatter.
class CardFormatter {
public:
    virtual ~CardFormatter();

    // True when root is where a removable drive's volume is mounted.
    virtual bool IsRemovableVolume(const QString& root) = 0;
    // The volume's label; empty when it has none or it cannot be read.
    virtual QString Label(const QString& root) = 0;
    virtual bool SetLabel(const QString& root, const QString& label) = 0;
    // Makes a new FAT file system with that label on the volume and mounts it again. The
    // desktop's authorization prompt may ask the user first; refusing it cancels.
    virtual FormatResult Format(const QString& root, const QString& label) = 0;
};
