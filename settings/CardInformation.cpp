#include "settings/CardInformation.h"

#include "library/KindUsage.h"
#include "resources/LocalizedStrings.h"
#include "resources/StringIds.h"

#include <QStorageInfo>

namespace {

constexpr qint64 BytesPerMegabyte = 1048576;

QString GigabytesText(double gigabytes) {
    return QString::asprintf("%.1f GB", gigabytes);
}

QString SizeOrNothing(const std::optional<qint64>& bytes) {
    return bytes ? VolumeSizeText(*bytes) : QString();
}

} // namespace

QString VolumeSizeText(qint64 bytes) {
    const qint64 megabytes = bytes / BytesPerMegabyte;
    return GigabytesText(double(float(megabytes) / 1024.0f));
}

QString RecordingsSizeText(qint64 kib) {
    return GigabytesText(double(kib) / 1024.0 / 1024.0);
}

QString CardInformation::TotalText() const {
    return SizeOrNothing(totalBytes);
}

QString CardInformation::FreeText() const {
    return SizeOrNothing(freeBytes);
}

QString CardInformation::NormalText() const {
    return RecordingsSizeText(normalKib);
}

QString CardInformation::EventText() const {
    return RecordingsSizeText(eventKib);
}

QString CardInformation::MotionText() const {
    return RecordingsSizeText(motionKib);
}

CardInformation ReadCardInformation(const QString& driveRoot, const SettingsRecord& programFile,
                                    const SettingsRecord& cameraFile) {
    CardInformation info;
    if (!driveRoot.isEmpty()) {
        const QStorageInfo volume(driveRoot);
        if (volume.isValid() && volume.isReady() && volume.bytesTotal() >= 0) {
            info.totalBytes = volume.bytesTotal();
            info.freeBytes = volume.bytesAvailable();
        }
        const QString recordings = driveRoot + QStringLiteral("Recordings");
        info.normalKib = MeasureKindUsage(recordings, QStringLiteral("NOR"));
        info.eventKib = MeasureKindUsage(recordings, QStringLiteral("EVT"));
        info.motionKib = MeasureKindUsage(recordings, QStringLiteral("MOT"));
    }
    const auto either = [](const QString& first, const QString& second) {
        return first.isEmpty() ? second : first;
    };
    info.fwVersion = either(programFile.vk_fw_version, cameraFile.vk_fw_version);
    info.buildNumber = either(programFile.vk_build_number, cameraFile.vk_build_number);
    info.version = LoadLangString(StringId::ProgramVersion);
    return info;
}
