#pragma once

#include "common/WholeFileWriter.h"

#include <QString>
#include <functional>
#include <memory>

// How a single copy ended.
struct CopyResult {
    enum Status { Copied, Cancelled, Failed };
    Status status = Failed;
    // Why a copy failed, naming the file that failed: the target, or the source when it could
    // not be read ("cannot read PATH: Input/output error").
    QString error;
};

// Copies source to target without ever leaving a partial target: the bytes go to a temporary
// file beside the target, reach the disk, and only then take the target's name. Whatever stops
// the copy (an error, a full disk, a card pulled out, a cancel) removes the temporary file.
// replace: an existing target is replaced; otherwise the copy fails rather than replace it.
// progress: told the bytes copied so far after every chunk; false cancels the copy.
CopyResult CopyFileSafely(const QString& source, const QString& target, bool replace,
                          const std::function<bool(qint64 bytesCopied)>& progress);

// A copy whose bytes are all in its temporary file, on their way to the disk. Finish() waits for
// them, gives the file its name and tells how the copy ended; a copy that is never finished
// leaves nothing behind. The name reaches the disk with its folder, which the caller syncs once
// for every file it finished there (SyncFolderOf). Finishing takes the disk's time, not the
// processor's: a save finishes files while it copies the next.
class PendingCopy {
public:
    explicit PendingCopy(CopyResult ended) : m_ended(std::move(ended)) {}
    PendingCopy(std::unique_ptr<WholeFileWriter> file, WholeFileWriter::Existing existing)
        : m_file(std::move(file)), m_existing(existing) {}

    // The copy was cancelled; there is nothing to finish.
    bool Cancelled() const { return !m_file && m_ended.status == CopyResult::Cancelled; }
    CopyResult Finish();

private:
    CopyResult m_ended; // when the copy ended before its bytes were all copied
    std::unique_ptr<WholeFileWriter> m_file;
    WholeFileWriter::Existing m_existing = WholeFileWriter::Existing::Keep;
};

// The copy of CopyFileSafely up to its last step, which is left to Finish().
PendingCopy CopyFileBytes(const QString& source, const QString& target, bool replace,
                          const std::function<bool(qint64 bytesCopied)>& progress);
