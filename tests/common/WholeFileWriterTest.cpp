#include "common/WholeFileWriter.h"

#include "common/NativePath.h"
#include "tests/support/InjectedFaults.h"
#include "tests/support/SmallDisk.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cerrno>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

QByteArray Read(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void Write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

QStringList Entries(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

// Every step that can fail fails once: the error names the step, the file and the reason, and
// nothing but the old file is left, except where only the folder's sync failed: the new file has
// its name then, but the write is still reported as failed.
TEST(WholeFileWriter, EveryFailedStepIsReportedAndKeepsTheOldFile) {
    const struct {
        FaultyCall call;
        int error;
        const char* message;
        bool renamed;
    } cases[] = {
        {FaultyCall::Write, ENOSPC, "cannot write %1: No space left on device", false},
        {FaultyCall::Fsync, EIO, "cannot sync %1 to the disk: Input/output error", false},
        {FaultyCall::Close, EIO, "cannot close %1: Input/output error", false},
        {FaultyCall::Rename, EROFS, "cannot give %1 its name: Read-only file system", false},
        {FaultyCall::FolderSync, EIO,
         "cannot sync the folder of %1 to the disk: Input/output error", true},
    };
    for (const auto& test : cases) {
        const QTemporaryDir folder;
        const QString path = folder.filePath("setting_pcm.ini");
        Write(path, "old");
        {
            const InjectedFault fault(test.call, test.error, QFile::encodeName(folder.path()));
            EXPECT_EQ(WriteWholeFile(path, "new"), QString(test.message).arg(path));
        }
        EXPECT_EQ(Read(path), test.renamed ? "new" : "old") << test.message;
        EXPECT_EQ(Entries(folder.path()), QStringList{"setting_pcm.ini"}) << test.message;
    }
}

TEST(WholeFileWriter, AFullDiskKeepsTheOldFileWhole) {
    SmallDisk disk(64 * 1024);
    const QString path = disk.Path() + "/grab.jpg";
    Write(path, QByteArray(16 * 1024, 'o'));
    disk.Full();
    const QString error = WriteWholeFile(path, QByteArray(128 * 1024, 'n'));
    EXPECT_TRUE(error.startsWith("cannot write " + path + ": ")) << error.toStdString();
    EXPECT_EQ(Read(path), QByteArray(16 * 1024, 'o'));
    EXPECT_EQ(Entries(disk.Path()), QStringList{"grab.jpg"});
}

// The temporary's name is short: a target of the longest name a folder holds is written too,
// whatever its bytes.
TEST(WholeFileWriter, WritesNamesOfEveryLengthAndByte) {
    const QTemporaryDir folder;
    for (const QByteArray& name : {QByteArray(255, 'n'), QByteArray(251, 'n') + ".jpg",
                                   QByteArray("\xE9\xEF\xBB\xBF.gpx")}) {
        const QString path = PathFromNative(QFile::encodeName(folder.path()) + '/' + name);
        EXPECT_EQ(WriteWholeFile(path, name), QString()) << name.size();
        QFile file;
        ASSERT_TRUE(OpenNativeForReading(file, path));
        EXPECT_EQ(file.readAll(), name);
        ASSERT_EQ(::unlink(NativePath(path).constData()), 0);
    }
    EXPECT_TRUE(Entries(folder.path()).isEmpty());
}

// A killed write leaves its temporary; the next write into the folder removes it, but neither
// the temporary of a write still running (locked) nor a file that only looks alike.
TEST(WholeFileWriter, TheNextWriteRemovesTheLeftoversOfKilledWrites) {
    const QTemporaryDir folder;
    const QStringList leftovers = {".karvenna-a1B2c3", ".karvenna-ZZZZZZ"};
    const QStringList others = {".karvenna-notes", ".karvenna-a1B2c3.txt", "karvenna-a1B2c3",
                                "setting_pcm.ini.Ab12Cd"};
    for (const QString& name : leftovers + others)
        Write(folder.filePath(name), "x");
    Write(folder.filePath(".karvenna-Runnin"), "running");
    const int running =
        ::open(QFile::encodeName(folder.filePath(".karvenna-Runnin")).constData(), O_RDONLY);
    ASSERT_EQ(::flock(running, LOCK_EX), 0);

    EXPECT_EQ(WriteWholeFile(folder.filePath("grab.jpg"), "picture"), QString());
    ::close(running);
    QStringList expected = others + QStringList{".karvenna-Runnin", "grab.jpg"};
    expected.sort();
    EXPECT_EQ(Entries(folder.path()), expected);

    RemoveUnfinishedFiles(folder.path());
    expected.removeOne(".karvenna-Runnin");
    EXPECT_EQ(Entries(folder.path()), expected);
}

TEST(WholeFileWriter, KeepRefusesToReplaceAndReplaceKeepsTheFilesMode) {
    const QTemporaryDir folder;
    const QString path = folder.filePath("a.gps");
    Write(path, "old");
    ASSERT_TRUE(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner));
    {
        WholeFileWriter writer(path);
        EXPECT_TRUE(writer.Write("new"));
        EXPECT_FALSE(writer.Commit(WholeFileWriter::Existing::Keep));
        EXPECT_EQ(writer.Error(), "cannot give " + path + " its name: File exists");
    }
    EXPECT_EQ(Read(path), "old");
    EXPECT_EQ(WriteWholeFile(path, "new"), QString());
    EXPECT_EQ(Read(path), "new");
    EXPECT_EQ(QFile::permissions(path),
              QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser);
    EXPECT_EQ(Entries(folder.path()), QStringList{"a.gps"});
}

} // namespace
