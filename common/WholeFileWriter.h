#pragma once

#include <QByteArray>
#include <QString>

// Every file the program makes is written whole or not at all: into a temporary file beside the
// target, synced to the disk, and only then under the target's name, each step checked (Qt's
// QSaveFile takes the name even when its sync failed). An existing file stays as it was until
// the new one is complete; a writer that is not committed leaves nothing behind.
//
// The temporary is named ".karvenna-XXXXXX": short, so that a target of 255 bytes still has one,
// and recognisable, so that one left by a killed program is removed by the next write into its
// folder. A writer holds a lock on its temporary, which keeps a running write's file from being
// taken for a leftover.
class WholeFileWriter {
public:
    enum class Existing { Replace, Keep };
    // Who syncs the folder after the rename: the writer, or a caller that gives many files of one
    // folder their names and syncs it once for all (SyncFolderOf).
    enum class FolderSync { Now, ByCaller };

    // Paths as PathFromNative gives them.
    explicit WholeFileWriter(const QString& path);
    ~WholeFileWriter();
    WholeFileWriter(const WholeFileWriter&) = delete;
    WholeFileWriter& operator=(const WholeFileWriter&) = delete;

    // Why the file cannot be written ("cannot write PATH: No space left on device"); empty while
    // every step so far succeeded.
    const QString& Error() const { return m_error; }
    // The temporary file, open for writing; -1 once a step failed.
    int Descriptor() const { return m_file; }

    bool Write(const QByteArray& bytes);
    // Records a failed step on the descriptor (errno's `error`) and gives up the file.
    bool Fail(const char* step, int error);
    // Syncs and closes the temporary, gives it the target's name and syncs the folder. Keep
    // fails with "File exists" rather than replace a file that is there.
    bool Commit(Existing existing = Existing::Replace, FolderSync folderSync = FolderSync::Now);

private:
    void Create();
    void Discard();

    QByteArray m_target;
    QByteArray m_folder;
    QByteArray m_temporary;
    int m_file = -1;
    // A second descriptor of the temporary that keeps its lock from the close to the rename.
    int m_lock = -1;
    QString m_path;
    QString m_error;
};

// Writes the bytes as the whole file at path, after removing the leftovers of killed writes from
// its folder. Empty on success, else what failed and why.
QString WriteWholeFile(const QString& path, const QByteArray& bytes);

// Syncs the folder of the file at path, so that the names given in it are on the disk. Empty on
// success, else what failed and why.
QString SyncFolderOf(const QString& path);

// Removes the temporaries that killed writes left in the folder; those of writes still running
// stay.
void RemoveUnfinishedFiles(const QString& folder);
