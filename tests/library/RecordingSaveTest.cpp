#include "library/RecordingSave.h"

#include "common/NativePath.h"
#include "tests/support/InjectedFaults.h"
#include "tests/support/SmallDisk.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cerrno>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

QByteArray Content(qint64 size, char fill) {
    return QByteArray(size, fill);
}

// By the path's own bytes, as the card holds them.
void Write(const QString& path, const QByteArray& bytes) {
    const int file = ::open(NativePath(path).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(file, 0);
    ASSERT_EQ(::write(file, bytes.constData(), size_t(bytes.size())), bytes.size());
    ::close(file);
}

QByteArray Read(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList Entries(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

// Answers clashes from a script of answers and cancels on request after a number of progress
// reports.
class ScriptedObserver : public SaveObserver {
public:
    QList<ClashAnswer> answers;
    QStringList asked;
    int cancelAfterProgress = -1;

    void Progress(qint64 done, qint64 total, const QString&) override {
        EXPECT_LE(done, total);
        EXPECT_GE(done, m_lastDone);
        m_lastDone = done;
        ++m_progressCount;
    }
    ClashAnswer Clash(const SaveFile& file) override {
        asked << QFileInfo(file.target).fileName();
        return answers.isEmpty() ? ClashAnswer::Cancel : answers.takeFirst();
    }
    bool CancelRequested() override {
        return cancelAfterProgress >= 0 && m_progressCount > cancelAfterProgress;
    }

private:
    qint64 m_lastDone = 0;
    int m_progressCount = 0;
};

class Save : public ::testing::Test {
protected:
    // A card folder with recordings: A with both telemetry files, B with none, C with an
    // upper-case .GPS only (a card copied through another system).
    void SetUp() override {
        card = source.path() + "/Recordings/";
        ASSERT_TRUE(QDir().mkpath(card));
        Write(card + "20240105_101010_NOR.AVI", Content(3000, 'a'));
        Write(card + "20240105_101010_NOR.gsf", Content(600, 'b'));
        Write(card + "20240105_101010_NOR.gps", Content(500, 'c'));
        Write(card + "20240105_111111_EVT.MP4", Content(4000, 'd'));
        Write(card + "20240106_090000_MOT.avi", Content(2000, 'e'));
        Write(card + "20240106_090000_MOT.GPS", Content(300, 'f'));
    }

    QList<MarkedRecording> Marked(const QStringList& names) const {
        QList<MarkedRecording> recordings;
        for (const QString& name : names)
            recordings.append({card + name, name});
        return recordings;
    }

    QTemporaryDir source;
    QTemporaryDir destination;
    QString card;
};

TEST_F(Save, CopiesEachVideoWithTheTelemetryThatExistsUnderItsOwnName) {
    const QList<SaveFile> plan = PlanSave(
        Marked({"20240105_101010_NOR.AVI", "20240105_111111_EVT.MP4", "20240106_090000_MOT.avi"}),
        destination.path());
    QStringList targets;
    for (const SaveFile& file : plan)
        targets << QFileInfo(file.target).fileName();
    EXPECT_EQ(targets, QStringList({"20240105_101010_NOR.AVI", "20240105_101010_NOR.gsf",
                                    "20240105_101010_NOR.gps", "20240105_111111_EVT.MP4",
                                    "20240106_090000_MOT.avi", "20240106_090000_MOT.gps"}));
    EXPECT_EQ(plan[4].size, 2000);

    ScriptedObserver observer;
    const SaveReport report = SaveFiles(plan, observer);
    EXPECT_TRUE(report.Complete());
    EXPECT_FALSE(report.cancelled);
    EXPECT_TRUE(observer.asked.isEmpty());
    for (const SaveFile& file : plan) {
        EXPECT_EQ(Read(file.target), Read(file.source)) << file.target.toStdString();
        EXPECT_EQ(QFileInfo(file.target).lastModified(), QFileInfo(file.source).lastModified());
    }
    EXPECT_EQ(Entries(destination.path()).size(), 6) << "no temporary file is left";
}

TEST_F(Save, ClashAnswersDecideEachExistingFile) {
    const QString target = destination.path() + u'/';
    const QList<SaveFile> plan = PlanSave(
        Marked({"20240105_101010_NOR.AVI", "20240105_111111_EVT.MP4", "20240106_090000_MOT.avi"}),
        destination.path());
    const struct {
        const char* name;
        QList<ClashAnswer> answers;
        int questions;
        // Which of the three clashing videos end up with the card's bytes.
        bool replaced[3];
        bool cancelled;
    } cases[] = {
        {"replace",
         {ClashAnswer::Replace, ClashAnswer::Replace, ClashAnswer::Replace},
         3,
         {true, true, true},
         false},
        {"skip",
         {ClashAnswer::Skip, ClashAnswer::Replace, ClashAnswer::Skip},
         3,
         {false, true, false},
         false},
        {"replace all",
         {ClashAnswer::Skip, ClashAnswer::ReplaceAll},
         2,
         {false, true, true},
         false},
        {"cancel", {ClashAnswer::Replace, ClashAnswer::Cancel}, 2, {true, false, false}, true},
    };
    const QString videos[] = {"20240105_101010_NOR.AVI", "20240105_111111_EVT.MP4",
                              "20240106_090000_MOT.avi"};
    for (const auto& test : cases) {
        for (const QString& entry : Entries(target))
            QFile::remove(target + entry);
        for (const QString& video : videos)
            Write(target + video, "old");
        ScriptedObserver observer;
        observer.answers = test.answers;
        const SaveReport report = SaveFiles(plan, observer);
        EXPECT_EQ(observer.asked.size(), test.questions) << test.name;
        EXPECT_EQ(report.cancelled, test.cancelled) << test.name;
        EXPECT_EQ(report.Complete(), !test.cancelled) << test.name;
        for (int video = 0; video < 3; ++video)
            EXPECT_EQ(Read(target + videos[video]),
                      test.replaced[video] ? Read(card + videos[video]) : QByteArray("old"))
                << test.name << ' ' << video;
        // The telemetry of the first recording never clashed: saved unless cancelled first.
        EXPECT_TRUE(QFile::exists(target + "20240105_101010_NOR.gps")) << test.name;
        for (const QString& entry : Entries(target))
            EXPECT_FALSE(entry.startsWith(u'.')) << test.name << ' ' << entry.toStdString();
    }
}

TEST_F(Save, AFullDiskLeavesNoPartialFileAndSaysWhichFilesFailed) {
    // The large video does not fit beside the first recording; the small one after it does.
    Write(card + "20240107_080000_NOR.AVI", Content(900 * 1024, 'g'));
    Write(card + "20240105_101010_NOR.AVI", Content(300 * 1024, 'a'));
    SmallDisk disk(800 * 1024);
    disk.Full();
    const QList<SaveFile> plan = PlanSave(
        Marked({"20240105_101010_NOR.AVI", "20240107_080000_NOR.AVI", "20240106_090000_MOT.avi"}),
        disk.Path());
    ScriptedObserver observer;
    const SaveReport report = SaveFiles(plan, observer);
    EXPECT_FALSE(report.Complete());
    EXPECT_FALSE(report.cancelled);
    QStringList failed;
    for (const SaveOutcome& outcome : report.outcomes) {
        if (outcome.status == SaveOutcome::Failed) {
            failed << QFileInfo(outcome.file.target).fileName();
            EXPECT_FALSE(outcome.error.isEmpty());
        } else {
            EXPECT_EQ(outcome.status, SaveOutcome::Saved);
            EXPECT_EQ(Read(outcome.file.target), Read(outcome.file.source));
        }
    }
    EXPECT_EQ(failed, QStringList{"20240107_080000_NOR.AVI"});
    EXPECT_EQ(Entries(disk.Path()),
              QStringList({"20240105_101010_NOR.AVI", "20240105_101010_NOR.gps",
                           "20240105_101010_NOR.gsf", "20240106_090000_MOT.avi",
                           "20240106_090000_MOT.gps"}));
}

TEST_F(Save, ACancelStopsBetweenChunksAndRemovesTheUnfinishedFile) {
    // Larger than one chunk, so that the cancel comes while it is being copied.
    Write(card + "20240107_080000_NOR.AVI", Content(20 << 20, 'g'));
    const QList<SaveFile> plan = PlanSave(
        Marked({"20240105_101010_NOR.AVI", "20240107_080000_NOR.AVI", "20240106_090000_MOT.avi"}),
        destination.path());
    ScriptedObserver observer;
    // Progress: three files of the first recording before and after, then the big video's start
    // and first chunk.
    observer.cancelAfterProgress = 7;
    const SaveReport report = SaveFiles(plan, observer);
    EXPECT_TRUE(report.cancelled);
    EXPECT_FALSE(report.Complete());
    QList<SaveOutcome::Status> statuses;
    for (const SaveOutcome& outcome : report.outcomes)
        statuses << outcome.status;
    EXPECT_EQ(statuses,
              QList<SaveOutcome::Status>({SaveOutcome::Saved, SaveOutcome::Saved,
                                          SaveOutcome::Saved, SaveOutcome::NotCopied,
                                          SaveOutcome::NotCopied, SaveOutcome::NotCopied}));
    EXPECT_EQ(Entries(destination.path()),
              QStringList({"20240105_101010_NOR.AVI", "20240105_101010_NOR.gps",
                           "20240105_101010_NOR.gsf"}));
}

// A file is finished (synced and named) while the next one is copied: a failure at that last
// step still belongs to its own file, leaves no temporary, and the files after it are saved. The
// folder is synced once at the end: when that fails, no file of it counts as saved.
TEST_F(Save, AFileThatCannotBeFinishedFailsAloneWhileTheNextOnesAreSaved) {
    for (const FaultyCall call : {FaultyCall::Fsync, FaultyCall::Rename, FaultyCall::FolderSync}) {
        const QTemporaryDir to;
        const QList<SaveFile> plan =
            PlanSave(Marked({"20240105_101010_NOR.AVI", "20240106_090000_MOT.avi"}), to.path());
        SaveReport report;
        {
            const QByteArray pathPart = call == FaultyCall::Rename       ? "101010_NOR.AVI"
                                        : call == FaultyCall::FolderSync ? to.path().toUtf8()
                                                                         : ".karvenna-";
            const InjectedFault fault(call, EIO, pathPart.constData());
            ScriptedObserver observer;
            report = SaveFiles(plan, observer);
        }
        ASSERT_EQ(report.outcomes.size(), 5);
        EXPECT_FALSE(report.cancelled);
        QStringList saved;
        for (const SaveOutcome& outcome : report.outcomes)
            if (outcome.status == SaveOutcome::Saved)
                saved << QFileInfo(outcome.file.target).fileName();
        if (call == FaultyCall::Fsync) {
            // Every file's sync fails: none takes its name.
            EXPECT_TRUE(saved.isEmpty());
            EXPECT_TRUE(Entries(to.path()).isEmpty()) << Entries(to.path()).join(' ').toStdString();
            continue;
        }
        if (call == FaultyCall::FolderSync) {
            // Complete under their names, but a power loss could still take the names.
            EXPECT_TRUE(saved.isEmpty());
            for (const SaveOutcome& outcome : report.outcomes)
                EXPECT_TRUE(outcome.error.contains("cannot sync the folder of"))
                    << outcome.error.toStdString();
            EXPECT_EQ(Entries(to.path()).size(), 5);
            continue;
        }
        EXPECT_EQ(report.outcomes[0].status, SaveOutcome::Failed);
        EXPECT_TRUE(report.outcomes[0].error.contains("20240105_101010_NOR.AVI"))
            << report.outcomes[0].error.toStdString();
        EXPECT_EQ(saved, QStringList({"20240105_101010_NOR.gsf", "20240105_101010_NOR.gps",
                                      "20240106_090000_MOT.avi", "20240106_090000_MOT.gps"}));
        EXPECT_EQ(Entries(to.path()),
                  QStringList({"20240105_101010_NOR.gps", "20240105_101010_NOR.gsf",
                               "20240106_090000_MOT.avi", "20240106_090000_MOT.gps"}));
    }
}

TEST_F(Save, ASourceThatCannotBeReadFailsAloneAndTheRestIsSaved) {
    QList<SaveFile> plan = PlanSave(Marked({"20240105_111111_EVT.MP4", "20240106_090000_MOT.avi"}),
                                    destination.path());
    QFile::remove(card + "20240105_111111_EVT.MP4"); // the card went away under it
    plan.append({card, destination.path() + "/folder", 0});
    ScriptedObserver observer;
    const SaveReport report = SaveFiles(plan, observer);
    ASSERT_EQ(report.outcomes.size(), 4);
    EXPECT_EQ(report.outcomes[0].status, SaveOutcome::Failed);
    EXPECT_EQ(report.outcomes[1].status, SaveOutcome::Saved);
    EXPECT_EQ(report.outcomes[2].status, SaveOutcome::Saved);
    EXPECT_EQ(report.outcomes[3].status, SaveOutcome::Failed);
    EXPECT_EQ(Entries(destination.path()),
              QStringList({"20240106_090000_MOT.avi", "20240106_090000_MOT.gps"}));
}

// An AVI and an MP4 of one name share their telemetry files: saved once, no clash with itself.
// A leftover of a killed save in the destination goes.
TEST_F(Save, TelemetrySharedByTwoVideosIsSavedOnceAndLeftoversGo) {
    Write(card + "20240105_111111_EVT.AVI", Content(3500, 'h'));
    Write(card + "20240105_111111_EVT.gps", Content(200, 'i'));
    Write(destination.filePath(".karvenna-k1LLed"), "part of a video");
    const QList<SaveFile> plan = PlanSave(
        Marked({"20240105_111111_EVT.AVI", "20240105_111111_EVT.MP4"}), destination.path());
    ScriptedObserver observer;
    const SaveReport report = SaveFiles(plan, observer);
    EXPECT_TRUE(report.Complete());
    EXPECT_TRUE(observer.asked.isEmpty());
    EXPECT_EQ(Entries(destination.path()),
              QStringList({"20240105_111111_EVT.AVI", "20240105_111111_EVT.MP4",
                           "20240105_111111_EVT.gps"}));
    EXPECT_EQ(Read(destination.filePath("20240105_111111_EVT.gps")), Content(200, 'i'));
}

// Each name is saved under its own bytes, from its own file: one beside a look-alike that Qt's
// conversions once made of it, one of the longest length a folder holds.
TEST_F(Save, EveryNameIsSavedAsItsOwnBytes) {
    const struct {
        QByteArray base;
        QByteArray lookAlike;
    } cases[] = {
        {"\xE9", "\xEF\xBF\xBD"},
        {"X\xEF\xBB\xBF", "X"},
        {QByteArray(251, 'n'), {}},
    };
    for (const auto& test : cases) {
        const QTemporaryDir from, to;
        const QByteArray native = NativePath(from.path()) + '/';
        for (const QByteArray& base : {test.lookAlike, test.base})
            if (!base.isEmpty())
                for (const char* ending : {".AVI", ".gps"})
                    Write(PathFromNative(native + base + ending), base + ending);
        const QString name = PathFromNative(test.base + ".AVI");
        ScriptedObserver observer;
        const SaveReport report =
            SaveFiles(PlanSave({{PathFromNative(native) + name, name}}, to.path()), observer);
        ASSERT_EQ(report.outcomes.size(), 2) << test.base.toHex().constData();
        for (const SaveOutcome& outcome : report.outcomes) {
            EXPECT_EQ(outcome.status, SaveOutcome::Saved) << outcome.error.toStdString();
            const QByteArray target = NativePath(outcome.file.target);
            EXPECT_TRUE(target.startsWith(NativePath(to.path()) + '/' + test.base + '.'));
            QFile copy;
            ASSERT_TRUE(OpenNativeForReading(copy, outcome.file.target));
            EXPECT_EQ(copy.readAll(), target.mid(target.lastIndexOf('/') + 1));
        }
    }
}

// A card that cannot be read: the failure names the card's file, not the copy's.
TEST_F(Save, AReadErrorOfTheCardNamesTheCardsFile) {
    const QList<SaveFile> plan = PlanSave(
        Marked({"20240105_111111_EVT.MP4", "20240106_090000_MOT.avi"}), destination.path());
    SaveReport report;
    {
        const InjectedFault fault(FaultyCall::Read, EIO, "20240105_111111_EVT.MP4");
        ScriptedObserver observer;
        report = SaveFiles(plan, observer);
    }
    ASSERT_EQ(report.outcomes.size(), 3);
    EXPECT_EQ(report.outcomes[0].status, SaveOutcome::Failed);
    EXPECT_EQ(report.outcomes[0].error,
              "cannot read " + card + "20240105_111111_EVT.MP4: Input/output error");
    EXPECT_EQ(Entries(destination.path()),
              QStringList({"20240106_090000_MOT.avi", "20240106_090000_MOT.gps"}));
}

} // namespace
