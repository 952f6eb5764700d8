#pragma once

#include <QString>
#include <functional>

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
