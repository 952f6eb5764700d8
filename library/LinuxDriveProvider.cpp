#include "library/LinuxDriveProvider.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

QByteArray ReadTrimmed(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll().trimmed() : QByteArray();
}

const MountEntry* MountAt(const QList<MountEntry>& mounts, const QString& root) {
    const auto mount = std::find_if(mounts.begin(), mounts.end(),
                                    [&](const MountEntry& m) { return m.mountPoint == root; });
    return mount == mounts.end() ? nullptr : &*mount;
}

bool IsHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// udev names its label links with every unsafe byte written as \xHH.
QString DecodeLabelLinkName(const QString& name) {
    const QByteArray encoded = QFile::encodeName(name);
    QByteArray bytes;
    for (qsizetype i = 0; i < encoded.size(); ++i) {
        if (encoded.mid(i, 2) == "\\x" && i + 3 < encoded.size() && IsHexDigit(encoded[i + 2]) &&
            IsHexDigit(encoded[i + 3])) {
            bytes += char(encoded.mid(i + 2, 2).toInt(nullptr, 16));
            i += 3;
        } else {
            bytes += encoded[i];
        }
    }
    return QString::fromUtf8(bytes);
}

} // namespace

LinuxDriveProvider::LinuxDriveProvider(const QString& cardRoot, SystemFiles system)
    : m_cardRoot(cardRoot.isEmpty() ? QString() : DriveRootText(cardRoot)),
      m_system(std::move(system)) {
    m_cardWasMountPoint =
        !m_cardRoot.isEmpty() && MountAt(ReadVisibleMounts(m_system.mountTable), m_cardRoot);
}

QList<DriveCandidate> LinuxDriveProvider::RemovableDrives() const {
    const QList<MountEntry> mounts = ReadVisibleMounts(m_system.mountTable);
    QList<DriveCandidate> drives;
    for (const MountEntry& mount : mounts)
        if (mount.fsRoot == u"/" && IsRemovable(mount))
            drives.append({mount.mountPoint, LabelOf(mount)});
    if (!m_cardRoot.isEmpty() && QFileInfo(m_cardRoot).isDir()) {
        if (const MountEntry* cardMount = MountAt(mounts, m_cardRoot))
            drives.append({m_cardRoot, LabelOf(*cardMount)});
        else if (!m_cardWasMountPoint)
            drives.append({m_cardRoot, QString()});
    }
    return OrderedByRoot(drives);
}

QString LinuxDriveProvider::DriveRootOf(const QString& path) const {
    QStringList roots;
    for (const MountEntry& mount : ReadVisibleMounts(m_system.mountTable))
        roots.append(mount.mountPoint);
    const QString canonical = QFileInfo(path).canonicalFilePath();
    const QString volumeRoot = LongestRootHolding(canonical.isEmpty() ? path : canonical, roots);
    const QString cardRoot =
        m_cardRoot.isEmpty() ? QString() : LongestRootHolding(path, {m_cardRoot});
    return cardRoot.size() >= volumeRoot.size() ? cardRoot : volumeRoot;
}

// The sysfs folder of the mounted block device (a partition or a whole disk); empty when the
// file system has no block device.
QString LinuxDriveProvider::BlockDeviceFolder(const MountEntry& mount) const {
    return QFileInfo(m_system.sysfs + QStringLiteral("/dev/block/") + mount.device)
        .canonicalFilePath();
}

bool LinuxDriveProvider::IsRemovable(const MountEntry& mount) const {
    const QString block = BlockDeviceFolder(mount);
    if (block.isEmpty())
        return false;
    const QString disk =
        QFileInfo::exists(block + QStringLiteral("/partition")) ? QFileInfo(block).path() : block;
    if (ReadTrimmed(disk + QStringLiteral("/removable")) == "1")
        return true;
    // Card readers built into laptops often sit on the MMC bus and say "not removable".
    if (ReadTrimmed(disk + QStringLiteral("/device/type")) == "SD")
        return true;
    static const QRegularExpression usbBus(QStringLiteral("/usb\\d+/"));
    return usbBus.match(block).hasMatch();
}

QString LinuxDriveProvider::LabelOf(const MountEntry& mount) const {
    const QString kernelName = QFileInfo(BlockDeviceFolder(mount)).fileName();
    if (kernelName.isEmpty())
        return {};
    const QDir labels(m_system.labels);
    for (const QFileInfo& link :
         labels.entryInfoList(QDir::System | QDir::Files | QDir::NoDotAndDotDot))
        if (link.isSymLink() && QFileInfo(link.symLinkTarget()).fileName() == kernelName)
            return DecodeLabelLinkName(link.fileName());
    return {};
}
