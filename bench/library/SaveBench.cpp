#include "library/RecordingSave.h"

#include <QDir>
#include <QFile>
#include <cstdio>

// `karvenna-save-bench FOLDER DEST` saves every video of FOLDER with its telemetry into DEST as
// the window's save does, in a process already running: what a user waits for after choosing
// the folder, without the command line's start.
namespace {

class Unattended : public SaveObserver {
public:
    void Progress(qint64, qint64, const QString&) override {}
    ClashAnswer Clash(const SaveFile&) override { return ClashAnswer::Cancel; }
    bool CancelRequested() override { return false; }
};

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fputs("usage: karvenna-save-bench FOLDER DEST\n", stderr);
        return 2;
    }
    const QDir folder(QFile::decodeName(argv[1]));
    QList<MarkedRecording> recordings;
    for (const QString& name :
         folder.entryList({QStringLiteral("*.AVI"), QStringLiteral("*.MP4")}, QDir::Files))
        recordings.append({folder.filePath(name), name});
    Unattended observer;
    const SaveReport report = SaveFiles(PlanSave(recordings, QFile::decodeName(argv[2])), observer);
    for (const SaveOutcome& outcome : report.outcomes)
        if (outcome.status != SaveOutcome::Saved)
            std::fprintf(stderr, "%s\n", qPrintable(outcome.error));
    return report.Complete() && !report.cancelled ? 0 : 1;
}
