#include "library/FakeDriveProvider.h"
#include "library/LinuxDriveProvider.h"
#include "resources/LocalizedStrings.h"
#include "resources/StringTable.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

// A machine in a folder: sysfs with an NVMe system disk, an eMMC, a USB stick, a card reader
// that says "removable", an SD card on the MMC bus and a whole-disk volume hidden by a mount
// over it; a mount table over them; and udev's label links.
class FakeMachine : public ::testing::Test {
protected:
    void SetUp() override {
        AddDisk("pci0000:00/0000:00:1d.0/nvme/nvme0/nvme0n1", "259:2", "nvme0n1p2", false);
        AddMmcCard("mmc1/mmc1:0001", "MMC", "mmcblk1", "179:9", "mmcblk1p1");
        AddDisk("pci0000:00/0000:00:14.0/usb2/2-1/2-1:1.0/host6/target6:0:0/6:0:0:0/block/sdb",
                "8:17", "sdb1", false);
        AddDisk("pci0000:00/0000:00:1f.2/ata1/host0/target0:0:0/0:0:0:0/block/sdc", "8:33", "sdc1",
                true);
        AddMmcCard("mmc0/mmc0:aaaa", "SD", "mmcblk0", "179:1", "mmcblk0p1");
        AddDisk("pci0000:00/0000:00:1f.2/ata2/host1/target1:0:0/1:0:0:0/block/sdd", "8:48", "",
                true);
        AddLabel("CAM\\x20CARD", "sdb1");
        AddLabel("SD\\x2fCARD", "mmcblk0p1");
        AddLabel("SYSTEM", "nvme0n1p2");
        for (const char* folder : {"media/CAM CARD", "media/B", "media/sd", "media/D", "copy"})
            ASSERT_TRUE(QDir(machine.path()).mkpath(QString::fromUtf8(folder)));
        mountLines = {
            "22 1 259:2 / / rw,relatime - ext4 /dev/nvme0n1p2 rw",
            "23 22 179:9 / /home rw,relatime - ext4 /dev/mmcblk1p1 rw",
            "24 22 0:41 / /tmp rw,nosuid shared:5 - tmpfs tmpfs rw",
            "30 24 8:17 / T/media/CAM\\040CARD rw,nosuid - vfat /dev/sdb1 rw",
            "31 24 8:33 / T/media/B rw,nosuid - exfat /dev/sdc1 rw",
            "32 24 179:1 / T/media/sd rw,nosuid - vfat /dev/mmcblk0p1 rw",
            "33 24 8:17 /DCIM T/bind rw - vfat /dev/sdb1 rw",
            "34 24 8:48 / T/media/D rw - vfat /dev/sdd rw",
            "35 34 0:42 / T/media/D rw - tmpfs tmpfs rw",
            "truncated line",
        };
        WriteMountTable();
        SetUILanguage(StringTable::English);
    }

    QString Path(const QString& relative) const { return machine.filePath(relative); }
    QString Root(const char* relative) const { return Path(QString::fromUtf8(relative)) + u'/'; }

    void Write(const QString& relative, const QByteArray& content) {
        ASSERT_TRUE(QDir().mkpath(QFileInfo(Path(relative)).path()));
        QFile file(Path(relative));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }

    void Link(const QString& relative, const QString& target) {
        ASSERT_TRUE(QDir().mkpath(QFileInfo(Path(relative)).path()));
        ASSERT_EQ(symlink(QFile::encodeName(target).constData(),
                          QFile::encodeName(Path(relative)).constData()),
                  0);
    }

    // disk: the disk's folder under sys/devices; partition: its one partition, or none.
    void AddDisk(const QString& disk, const QString& device, const QString& partition,
                 bool removable) {
        const QString diskFolder = QStringLiteral("sys/devices/") + disk;
        Write(diskFolder + "/removable", removable ? "1\n" : "0\n");
        QString block = Path(diskFolder);
        if (!partition.isEmpty()) {
            Write(diskFolder + u'/' + partition + "/partition", "1\n");
            block += u'/' + partition;
        }
        Link("sys/dev/block/" + device, block);
    }

    void AddMmcCard(const QString& card, const QByteArray& type, const QString& disk,
                    const QString& device, const QString& partition) {
        const QString cardFolder = QStringLiteral("sys/devices/platform/mmc_host/") + card;
        Write(cardFolder + "/type", type + '\n');
        AddDisk("platform/mmc_host/" + card + "/block/" + disk, device, partition, false);
        Link(cardFolder + "/block/" + disk + "/device", "../..");
    }

    void AddLabel(const QString& encodedLabel, const QString& kernelName) {
        Link("by-label/" + encodedLabel, "../../" + kernelName);
    }

    void WriteMountTable() {
        QByteArray table;
        for (const QString& line : mountLines)
            table += QString(line)
                         .replace(QStringLiteral(" T/"), u' ' + machine.path() + u'/')
                         .toUtf8() +
                     '\n';
        Write("mountinfo", table);
    }

    SystemFiles Files() const { return {Path("mountinfo"), Path("sys"), Path("by-label")}; }

    QTemporaryDir machine;
    QStringList mountLines;
};

TEST_F(FakeMachine, OffersMountedRemovableVolumesByRoot) {
    const QList<DriveCandidate> expected = {
        {Root("media/B"), ""}, {Root("media/CAM CARD"), "CAM CARD"}, {Root("media/sd"), "SD/CARD"}};
    EXPECT_EQ(LinuxDriveProvider({}, Files()).RemovableDrives(), expected);
}

TEST_F(FakeMachine, EntryTextNamesTheLabelOrPortableDisk) {
    const QList<DriveCandidate> drives = LinuxDriveProvider({}, Files()).RemovableDrives();
    ASSERT_EQ(drives.size(), 3);
    EXPECT_EQ(drives[0].EntryText(), Root("media/B") + "[Portable Disk]");
    EXPECT_EQ(drives[1].EntryText(), Root("media/CAM CARD") + "[CAM CARD]");
    SetUILanguage(StringTable::Russian);
    EXPECT_EQ(drives[0].EntryText(), Root("media/B") + QString::fromUtf8("[Съёмный диск]"));
}

TEST_F(FakeMachine, CardRootCountsAsRemovable) {
    const QList<DriveCandidate> drives =
        LinuxDriveProvider(Path("copy/sub/.."), Files()).RemovableDrives();
    ASSERT_EQ(drives.size(), 4);
    EXPECT_EQ(drives[0], (DriveCandidate{Root("copy"), ""}));
    EXPECT_EQ(LinuxDriveProvider(Path("missing"), Files()).RemovableDrives().size(), 3);
}

TEST_F(FakeMachine, CardRootOnAMountPointLastsWhileMounted) {
    const LinuxDriveProvider drives(Path("media/B"), Files());
    EXPECT_EQ(drives.RemovableDrives().size(), 3);
    mountLines.removeIf([](const QString& line) { return line.contains("media/B"); });
    WriteMountTable();
    EXPECT_EQ(drives.RemovableDrives().size(), 2);
    // Any mounted volume given as the card counts, removable or not.
    const LinuxDriveProvider fixedMountCard(Path("media/D"), Files());
    EXPECT_TRUE(fixedMountCard.RemovableDrives().contains(DriveCandidate{Root("media/D"), ""}));
}

TEST_F(FakeMachine, DriveRootIsTheHoldingMountOrTheCard) {
    const LinuxDriveProvider drives(Path("copy"), Files());
    const std::pair<QString, QString> cases[] = {
        {Path("media/B/Recordings"), Root("media/B")},
        {Path("media/CAM CARD"), Root("media/CAM CARD")},
        {Path("media/CAM CARD/"), Root("media/CAM CARD")},
        {Path("copy/Recordings/x.AVI"), Root("copy")},
        {Path("copy"), Root("copy")},
        {Path("copycat"), "/tmp/"},
        {"/etc/hostname", "/"},
    };
    for (const auto& [path, root] : cases)
        EXPECT_EQ(drives.DriveRootOf(path), root) << path.toStdString();
}

TEST_F(FakeMachine, UnreadableSystemGivesNoDrives) {
    SystemFiles missing = Files();
    missing.mountTable = Path("no-such-table");
    EXPECT_TRUE(LinuxDriveProvider({}, missing).RemovableDrives().isEmpty());
    missing = Files();
    missing.sysfs = Path("no-sysfs");
    EXPECT_TRUE(LinuxDriveProvider({}, missing).RemovableDrives().isEmpty());
    missing = Files();
    missing.labels = Path("no-labels");
    const QList<DriveCandidate> unlabelled = LinuxDriveProvider({}, missing).RemovableDrives();
    ASSERT_EQ(unlabelled.size(), 3);
    EXPECT_TRUE(unlabelled[1].label.isEmpty());
}

TEST(FakeDriveProvider, OrdersDrivesAndFindsHoldingRoots) {
    FakeDriveProvider drives;
    drives.SetRemovableDrives({{"/media/u/F/", "F"}, {"/media/u/E/", ""}, {"/media/u/F/", "F"}});
    drives.SetFixedRoots({"/", "/home/"});
    EXPECT_EQ(drives.RemovableDrives(),
              (QList<DriveCandidate>{{"/media/u/E/", ""}, {"/media/u/F/", "F"}}));
    EXPECT_EQ(drives.DriveRootOf("/media/u/F/Recordings"), "/media/u/F/");
    EXPECT_EQ(drives.DriveRootOf("/home/u/videos"), "/home/");
}

} // namespace
