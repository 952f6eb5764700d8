#include "library/DriveRemovalWatcher.h"

#include "library/FakeDriveProvider.h"
#include "library/LinuxDriveProvider.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimer>
#include <cerrno>
#include <cstring>
#include <gtest/gtest.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace {

TEST(DriveRemovalWatcher, ReportsEachRootThatWentAway) {
    FakeDriveProvider drives;
    drives.SetRemovableDrives({{"/media/u/A/", ""}, {"/media/u/B/", "B"}});
    DriveRemovalWatcher watcher(drives, QString());
    QStringList removed;
    QObject::connect(&watcher, &DriveRemovalWatcher::driveRemoved,
                     [&](const QString& root) { removed << root; });
    const struct {
        QList<DriveCandidate> drives;
        QStringList removed;
    } steps[] = {
        {{{"/media/u/B/", "B"}, {"/media/u/C/", ""}}, {"/media/u/A/"}},
        {{{"/media/u/B/", "B"}, {"/media/u/C/", ""}}, {}},
        {{}, {"/media/u/B/", "/media/u/C/"}},
        {{{"/media/u/A/", ""}}, {}},
        {{}, {"/media/u/A/"}},
    };
    for (const auto& step : steps) {
        removed.clear();
        drives.SetRemovableDrives(step.drives);
        watcher.Recheck();
        EXPECT_EQ(removed, step.removed);
    }
}

// A format mounts the card's new file system under its new label: the old root is not a removal,
// and the new root is watched from then on.
TEST(DriveRemovalWatcher, TakesAMovedCardForTheSameCard) {
    FakeDriveProvider drives;
    drives.SetRemovableDrives({{"/media/u/OLD/", "OLD"}, {"/media/u/X/", "X"}});
    DriveRemovalWatcher watcher(drives, QString());
    QStringList removed;
    QObject::connect(&watcher, &DriveRemovalWatcher::driveRemoved,
                     [&](const QString& root) { removed << root; });

    drives.SetRemovableDrives({{"/media/u/KARVENNADVR/", "KARVENNADVR"}});
    watcher.ForgetMovedRoot("/media/u/OLD/");
    EXPECT_EQ(removed, QStringList{"/media/u/X/"}); // another drive that went meanwhile
    removed.clear();
    watcher.Recheck(); // the mount table's signals of the format arrive afterwards
    EXPECT_TRUE(removed.isEmpty());

    drives.SetRemovableDrives({});
    watcher.Recheck();
    EXPECT_EQ(removed, QStringList{"/media/u/KARVENNADVR/"});
}

// A tmpfs in a private mount namespace, made removable by a sysfs of the test's own, is
// unmounted: the kernel's signal on the real mount table must reach the watcher.
TEST(DriveRemovalWatcher, NoticesARealUnmount) {
    QTemporaryDir scratch;
    ASSERT_TRUE(QDir(scratch.path()).mkpath("card") && QDir(scratch.path()).mkpath("other"));
    const QString card = QFileInfo(scratch.filePath("card")).canonicalFilePath();
    const QByteArray cardPath = QFile::encodeName(card);
    const QByteArray otherPath = QFile::encodeName(scratch.filePath("other"));
    if (unshare(CLONE_NEWNS) != 0)
        GTEST_SKIP() << "no private mount namespace here: " << std::strerror(errno);
    if (mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
        mount("karvenna-card", cardPath.constData(), "tmpfs", 0, "size=64k") != 0)
        GTEST_SKIP() << "mounting is not allowed here: " << std::strerror(errno);

    struct stat status {};
    ASSERT_EQ(stat(cardPath.constData(), &status), 0);
    const QString device =
        QStringLiteral("%1:%2").arg(major(status.st_dev)).arg(minor(status.st_dev));
    QFile removable(scratch.filePath("sys/dev/block/" + device + "/removable"));
    ASSERT_TRUE(QDir().mkpath(QFileInfo(removable).path()));
    ASSERT_TRUE(removable.open(QIODevice::WriteOnly) && removable.write("1\n") == 2);
    removable.close();
    const LinuxDriveProvider drives(
        {}, {"/proc/self/mountinfo", scratch.filePath("sys"), scratch.filePath("labels")});
    ASSERT_EQ(drives.RemovableDrives(), (QList<DriveCandidate>{{card + u'/', ""}}));

    int argc = 1;
    char name[] = "watcher";
    char* argv[] = {name, nullptr};
    QCoreApplication application(argc, argv);
    DriveRemovalWatcher watcher(drives);
    QStringList removed;
    QEventLoop loop;
    QObject::connect(&watcher, &DriveRemovalWatcher::driveRemoved, [&](const QString& root) {
        removed << root;
        loop.quit();
    });
    // A mount that comes is a change too, but no removal.
    QTimer::singleShot(
        0, [&] { mount("karvenna-other", otherPath.constData(), "tmpfs", 0, nullptr); });
    QTimer::singleShot(100, [&] { umount2(cardPath.constData(), 0); });
    QTimer::singleShot(5000, &loop, &QEventLoop::quit);
    loop.exec();
    umount2(otherPath.constData(), 0);
    EXPECT_EQ(removed, QStringList{card + u'/'});
}

} // namespace
