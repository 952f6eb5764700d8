#include "settings/UDisksCardFormatter.h"

#include "common/NativePath.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusReply>

namespace {

const QString Service = QStringLiteral("org.freedesktop.UDisks2");
const QString ManagerPath = QStringLiteral("/org/freedesktop/UDisks2");
const QString BlockInterface = QStringLiteral("org.freedesktop.UDisks2.Block");
const QString FilesystemInterface = QStringLiteral("org.freedesktop.UDisks2.Filesystem");
const QString DriveInterface = QStringLiteral("org.freedesktop.UDisks2.Drive");
const QString LoopInterface = QStringLiteral("org.freedesktop.UDisks2.Loop");
// Making the file system is quick; the rest is the user answering the authorization prompt.
constexpr int FormatTimeoutMs = 30 * 60 * 1000;

using Interfaces = QMap<QString, QVariantMap>;
using ManagedObjects = QMap<QDBusObjectPath, Interfaces>;

ManagedObjects ReadObjects(const QDBusConnection& bus) {
    qDBusRegisterMetaType<Interfaces>();
    qDBusRegisterMetaType<ManagedObjects>();
    const QDBusReply<ManagedObjects> reply = bus.call(QDBusMessage::createMethodCall(
        Service, ManagerPath, QStringLiteral("org.freedesktop.DBus.ObjectManager"),
        QStringLiteral("GetManagedObjects")));
    return reply.isValid() ? reply.value() : ManagedObjects();
}

QList<QByteArray> MountPoints(const QVariantMap& filesystem) {
    QList<QByteArray> points;
    const QVariant value = filesystem.value(QStringLiteral("MountPoints"));
    if (value.canConvert<QDBusArgument>())
        value.value<QDBusArgument>() >> points;
    for (QByteArray& point : points)
        if (point.endsWith('\0'))
            point.chop(1);
    return points;
}

bool IsRemovableDrive(const QVariantMap& drive) {
    const QString bus = drive.value(QStringLiteral("ConnectionBus")).toString();
    return drive.value(QStringLiteral("Removable")).toBool() ||
           drive.value(QStringLiteral("MediaRemovable")).toBool() || bus == u"usb" ||
           bus == u"sdio";
}

// A loop device has no drive, so it is never taken for a card. The test that formats a FAT image
// on a loop device sets KARVENNA_LOOP_DEVICES_ARE_CARDS=1 to let the image stand for one; nothing
// else sets it.
bool LoopDevicesAreCards() {
    return qEnvironmentVariableIntValue("KARVENNA_LOOP_DEVICES_ARE_CARDS") == 1;
}

// The mount point as udisks2 writes it: without the root form's final '/'.
QByteArray MountPointOf(const QString& root) {
    QByteArray point = NativePath(root);
    while (point.size() > 1 && point.endsWith('/'))
        point.chop(1);
    return point;
}

bool Declined(const QDBusMessage& reply) {
    return reply.errorName() == u"org.freedesktop.UDisks2.Error.NotAuthorizedDismissed" ||
           reply.errorName() == u"org.freedesktop.UDisks2.Error.Cancelled";
}

} // namespace

UDisksCardFormatter::UDisksCardFormatter(QDBusConnection bus) : m_bus(std::move(bus)) {}

std::optional<UDisksCardFormatter::Volume> UDisksCardFormatter::VolumeAt(const QString& root) {
    const ManagedObjects objects = ReadObjects(m_bus);
    const QByteArray point = MountPointOf(root);
    for (auto object = objects.begin(); object != objects.end(); ++object) {
        const bool mountedThere = object->contains(FilesystemInterface) &&
                                  MountPoints(object->value(FilesystemInterface)).contains(point);
        // A volume taken down for its format is no longer mounted: it is known by its object.
        if (!mountedThere && m_known.value(root) != object.key())
            continue;
        const QVariantMap block = object->value(BlockInterface);
        const auto drivePath = block.value(QStringLiteral("Drive")).value<QDBusObjectPath>();
        const bool removable = IsRemovableDrive(objects.value(drivePath).value(DriveInterface)) ||
                               (object->contains(LoopInterface) && LoopDevicesAreCards());
        Volume volume{object.key(), block.value(QStringLiteral("IdLabel")).toString(), removable};
        m_known.insert(root, object.key());
        return volume;
    }
    return std::nullopt;
}

QDBusMessage UDisksCardFormatter::Call(const QDBusObjectPath& object, const QString& interface,
                                       const QString& method, const QVariantList& arguments,
                                       int timeoutMs) const {
    QDBusMessage call = QDBusMessage::createMethodCall(Service, object.path(), interface, method);
    call.setArguments(arguments);
    call.setInteractiveAuthorizationAllowed(true);
    return m_bus.call(call, QDBus::Block, timeoutMs);
}

bool UDisksCardFormatter::IsRemovableVolume(const QString& root) {
    const std::optional<Volume> volume = VolumeAt(root);
    return volume && volume->removable;
}

QString UDisksCardFormatter::Label(const QString& root) {
    const std::optional<Volume> volume = VolumeAt(root);
    return volume ? volume->label : QString();
}

bool UDisksCardFormatter::SetLabel(const QString& root, const QString& label) {
    const std::optional<Volume> volume = VolumeAt(root);
    return volume && Call(volume->object, FilesystemInterface, QStringLiteral("SetLabel"),
                          {label, QVariantMap()})
                             .type() != QDBusMessage::ErrorMessage;
}

FormatResult UDisksCardFormatter::Format(const QString& root, const QString& label) {
    const std::optional<Volume> volume = VolumeAt(root);
    if (!volume || !volume->removable)
        return {FormatResult::Failed, {}, QStringLiteral("no removable volume at %1").arg(root)};
    const auto failure = [](const QDBusMessage& reply) {
        return FormatResult{Declined(reply) ? FormatResult::Cancelled : FormatResult::Failed,
                            {},
                            reply.errorMessage()};
    };
    // udisks2 formats only a volume that is not mounted.
    const QDBusMessage unmounted =
        Call(volume->object, FilesystemInterface, QStringLiteral("Unmount"), {QVariantMap()});
    if (unmounted.type() == QDBusMessage::ErrorMessage)
        return failure(unmounted);
    const QDBusMessage formatted = Call(
        volume->object, BlockInterface, QStringLiteral("Format"),
        {QStringLiteral("vfat"), QVariantMap{{QStringLiteral("label"), label}}}, FormatTimeoutMs);
    const QDBusMessage mounted =
        Call(volume->object, FilesystemInterface, QStringLiteral("Mount"), {QVariantMap()});
    if (formatted.type() == QDBusMessage::ErrorMessage)
        return failure(formatted);
    // Formatted but not mounted: nothing can be written back, and the caller must say so.
    if (mounted.type() == QDBusMessage::ErrorMessage || mounted.arguments().isEmpty())
        return {FormatResult::Formatted, {}, mounted.errorMessage()};
    const QString mountPoint = PathFromNative(mounted.arguments().first().toString().toUtf8());
    return {
        FormatResult::Formatted, mountPoint.endsWith(u'/') ? mountPoint : mountPoint + u'/', {}};
}
