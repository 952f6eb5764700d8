#include "fuzz/FuzzCheck.h"
#include "settings/CardSettings.h"
#include "settings/SettingsFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace {

// Every write ends in an fsync: in memory that costs nothing.
QString FolderTemplate() {
    const QString memory = QStringLiteral("/dev/shm");
    return (QFileInfo(memory).isWritable() ? memory : QDir::tempPath()) +
           QStringLiteral("/karvenna-fuzz-XXXXXX");
}

QByteArray Contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

// A settings file as a card may hold it, read, written as the program writes it and read back:
// what the user edits must come back as it was read, and a second write must change nothing.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const QTemporaryDir folder(FolderTemplate());
    const QString in = folder.filePath("setting.ini");
    const QString out = folder.filePath("setting_pcm.ini");
    const QString again = folder.filePath("again.ini");
    {
        QFile file(in);
        FUZZ_CHECK(file.open(QIODevice::WriteOnly));
        FUZZ_CHECK(file.write(reinterpret_cast<const char*>(data), qint64(size)) == qint64(size));
    }
    CardSettings info;
    if (info.Read(SettingsSlot::First, in) != SettingsReadResult::Read)
        return 0;
    SettingsRecord read = info.Record(SettingsSlot::First);
    if (read.Write(out) != SettingsWriteResult::Written)
        return 0;
    FUZZ_CHECK(info.Read(SettingsSlot::Second, out) == SettingsReadResult::Read);
    SettingsRecord& back = info.Record(SettingsSlot::Second);
    // Without clock synchronisation the time zone is not written.
    if (read.vk_gps_sync_time != 1)
        read.vk_gps_timezone = 0;
    FUZZ_CHECK(RecordsDiffer(read, back) == 0);
    FUZZ_CHECK(back.vk_fw_version == read.vk_fw_version);
    FUZZ_CHECK(back.vk_build_number == read.vk_build_number);
    FUZZ_CHECK(back.Write(again) == SettingsWriteResult::Written);
    FUZZ_CHECK(Contents(again) == Contents(out));
    return 0;
}
