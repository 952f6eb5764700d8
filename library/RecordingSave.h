#pragma once

#include <QList>
#include <QString>

// A marked recording: its path (list column 4) and its file name (column 0).
struct MarkedRecording {
    QString path;
    QString name;
};

// One file of a save and the name it gets in the destination folder.
struct SaveFile {
    QString source;
    QString target;
    qint64 size = 0;
};

// The files a save copies, in order: each recording's video, then its .gsf and .gps files, those
// that exist, under the recording's own name in the destination folder.
QList<SaveFile> PlanSave(const QList<MarkedRecording>& recordings, const QString& destination);

// The user's answer when a target already exists.
enum class ClashAnswer { Replace, Skip, ReplaceAll, Cancel };

// What a save asks of whoever runs it; called on the copying thread.
class SaveObserver {
public:
    virtual ~SaveObserver() = default;
    // bytesDone of bytesTotal over the whole save, while file (a source path) is being copied.
    virtual void Progress(qint64 bytesDone, qint64 bytesTotal, const QString& file) = 0;
    virtual ClashAnswer Clash(const SaveFile& file) = 0;
    virtual bool CancelRequested() = 0;
};

// How each file of a save ended.
struct SaveOutcome {
    enum Status { Saved, Skipped, Failed, NotCopied };
    SaveFile file;
    Status status = NotCopied;
    QString error;
};

struct SaveReport {
    QList<SaveOutcome> outcomes;
    bool cancelled = false;

    // True when every file was either saved or skipped by the user's choice.
    bool Complete() const;
};

// Copies the files one after another; a failed copy does not stop the following ones, a cancel
// (from the observer or a clash answer) stops the save and leaves no partial file.
SaveReport SaveFiles(const QList<SaveFile>& files, SaveObserver& observer);
