#include "library/RecordingSave.h"

#include "common/NativePath.h"
#include "common/WholeFileWriter.h"
#include "library/SafeFileCopy.h"
#include "telemetry/TelemetryFiles.h"

#include <QHash>
#include <QSet>
#include <algorithm>
#include <deque>
#include <future>

namespace {

constexpr qsizetype ExtensionLength = 4;
constexpr size_t MaxFinishing = 16;

QString TargetFolder(const SaveFile& file) {
    return file.target.left(file.target.lastIndexOf(u'/'));
}

// The saved files' names reach the disk with their folders, each synced once for all of them.
// Where that fails, the files are there but may not survive a power loss: not saved.
void SyncSavedNames(SaveReport& report) {
    QHash<QString, QString> folderErrors;
    for (SaveOutcome& outcome : report.outcomes) {
        if (outcome.status != SaveOutcome::Saved)
            continue;
        const QString folder = TargetFolder(outcome.file);
        if (!folderErrors.contains(folder))
            folderErrors.insert(folder, SyncFolderOf(outcome.file.target));
        if (const QString& error = folderErrors[folder]; !error.isEmpty())
            outcome = {outcome.file, SaveOutcome::Failed, error};
    }
}

} // namespace

QList<SaveFile> PlanSave(const QList<MarkedRecording>& recordings, const QString& destination) {
    QList<SaveFile> files;
    const QString folder = destination.endsWith(u'/') ? destination : destination + u'/';
    for (const MarkedRecording& recording : recordings) {
        const QString base =
            folder + recording.name.chopped(qMin(ExtensionLength, recording.name.size()));
        const QString extension = recording.path.right(ExtensionLength);
        auto add = [&](const QString& source, const QString& target) {
            // An AVI and an MP4 of one name share their telemetry: it is saved once.
            const auto same = [&](const SaveFile& file) {
                return file.source == source && file.target == target;
            };
            const qint64 size = source.isEmpty() ? -1 : NativeFileSize(source);
            if (size >= 0 && std::none_of(files.begin(), files.end(), same))
                files.append({source, target, size});
        };
        add(recording.path, base + extension);
        add(FindTelemetryFile(recording.path, GsfEnding), base + u'.' + GsfEnding);
        add(FindTelemetryFile(recording.path, GpsEnding), base + u'.' + GpsEnding);
    }
    return files;
}

bool SaveReport::Complete() const {
    for (const SaveOutcome& outcome : outcomes)
        if (outcome.status != SaveOutcome::Saved && outcome.status != SaveOutcome::Skipped)
            return false;
    return true;
}

SaveReport SaveFiles(const QList<SaveFile>& files, SaveObserver& observer) {
    SaveReport report;
    qint64 total = 0;
    for (const SaveFile& file : files) {
        total += file.size;
        report.outcomes.append({file, SaveOutcome::NotCopied, {}});
    }
    QSet<QString> folders;
    for (const SaveFile& file : files)
        folders.insert(TargetFolder(file));
    for (const QString& folder : folders)
        RemoveUnfinishedFiles(folder);
    qint64 done = 0;
    bool replaceAll = false;
    // The files before, on their way to the disk while the next ones are copied. Many at once:
    // syncs that meet share the file system's journal commits, and the disk gets as many writes
    // as it can take in one go.
    struct Finishing {
        std::future<CopyResult> result;
        SaveOutcome* outcome;
    };
    std::deque<Finishing> finishing;
    auto settleOldest = [&] {
        const CopyResult result = finishing.front().result.get();
        SaveOutcome& outcome = *finishing.front().outcome;
        outcome.status =
            result.status == CopyResult::Copied ? SaveOutcome::Saved : SaveOutcome::Failed;
        outcome.error = result.error;
        finishing.pop_front();
    };
    auto settleAll = [&] {
        while (!finishing.empty())
            settleOldest();
    };
    for (SaveOutcome& outcome : report.outcomes) {
        const SaveFile& file = outcome.file;
        if (observer.CancelRequested()) {
            report.cancelled = true;
            break;
        }
        // Two recordings of one name: the second one's question waits for the first one's name.
        if (std::any_of(finishing.begin(), finishing.end(), [&](const Finishing& earlier) {
                return earlier.outcome->file.target == file.target;
            }))
            settleAll();
        bool replace = replaceAll;
        if (!replace && NativePathExists(file.target)) {
            const ClashAnswer answer = observer.Clash(file);
            if (answer == ClashAnswer::Cancel) {
                report.cancelled = true;
                break;
            }
            if (answer == ClashAnswer::Skip) {
                outcome.status = SaveOutcome::Skipped;
                done += file.size;
                continue;
            }
            replaceAll = answer == ClashAnswer::ReplaceAll;
            replace = true;
        }
        observer.Progress(done, total, file.source);
        PendingCopy copy = CopyFileBytes(file.source, file.target, replace, [&](qint64 copied) {
            observer.Progress(done + qMin(copied, file.size), total, file.source);
            return !observer.CancelRequested();
        });
        done += file.size;
        if (copy.Cancelled()) {
            report.cancelled = true;
            break;
        }
        if (finishing.size() == MaxFinishing)
            settleOldest();
        finishing.push_back(
            {std::async(std::launch::async,
                        [copy = std::move(copy)]() mutable { return copy.Finish(); }),
             &outcome});
    }
    settleAll();
    SyncSavedNames(report);
    observer.Progress(done, total, {});
    return report;
}
