#include "settings/SettingsRecord.h"

#include "common/LogCategories.h"
#include "common/NativePath.h"
#include "common/WholeFileWriter.h"
#include "settings/SettingsKeys.h"
#include "settings/WifiPassword.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <sys/stat.h>

namespace {

// The file is 8-bit text that the device reads line by line.
bool Writable(const QString& text) {
    return std::none_of(text.begin(), text.end(),
                        [](QChar c) { return c.unicode() > 0xFF || c == QLatin1Char('\n'); });
}

bool AllTextsWritable(const SettingsRecord& record) {
    for (const SettingKey& key : SettingsKeys())
        if (auto text = std::get_if<QString SettingsRecord::*>(&key.field))
            if (!Writable(record.*(*text)))
                return false;
    // The length has its own answer; a NUL would end the decoded password early.
    return !record.vk_wifi_ap_pwd.contains(QChar(0));
}

QByteArray ValueText(const SettingsRecord& record, const SettingField& field) {
    if (auto text = std::get_if<QString SettingsRecord::*>(&field))
        return (record.*(*text)).toLatin1();
    if (auto number = std::get_if<int SettingsRecord::*>(&field))
        return QByteArray::number(record.*(*number));
    return VoltageText(record.*std::get<double SettingsRecord::*>(field));
}

// The file's lines, or nothing when the password cannot be encoded.
std::optional<QByteArray> FileText(const SettingsRecord& record) {
    QByteArray file;
    for (const SettingKey& key : SettingsKeys()) {
        QByteArray value;
        switch (key.rule) {
        case KeyRule::Plain:
        case KeyRule::ReadAsFraction:
        case KeyRule::DeviceText:
            value = ValueText(record, key.field);
            break;
        case KeyRule::OmittedWhenEmpty:
            value = ValueText(record, key.field);
            if (value.isEmpty())
                continue;
            break;
        case KeyRule::OmittedUnlessSync:
            if (record.vk_gps_sync_time != 1)
                continue;
            value = ValueText(record, key.field);
            break;
        case KeyRule::Password: {
            if (record.vk_wifi_ap_pwd.isEmpty())
                continue;
            const std::optional<QString> encoded = EncodeWifiPassword(record.vk_wifi_ap_pwd);
            if (!encoded)
                return std::nullopt;
            value = encoded->toLatin1();
            break;
        }
        case KeyRule::PasswordFlag:
            if (record.vk_wifi_ap_pwd.isEmpty())
                continue;
            value = "1";
            break;
        case KeyRule::UpdateFlag:
            value = "1";
            break;
        }
        file += QByteArray(key.name.data(), qsizetype(key.name.size())) + '=' + value + "\r\n";
    }
    return file;
}

} // namespace

int SettingsRecord::CheckWritable() const {
    if (vk_wifi_ap_pwd.size() > MaxStoredWifiPasswordLength)
        return SettingsWriteResult::PasswordTooLong;
    if (!AllTextsWritable(*this))
        return SettingsWriteResult::TextNotWritable;
    return SettingsWriteResult::Written;
}

int SettingsRecord::Write(const QString& path, QString* failure) {
    if (const int check = CheckWritable(); check != SettingsWriteResult::Written) {
        if (check == SettingsWriteResult::TextNotWritable)
            qCInfo(lcSettings, "not written to %s: a text holds a character the file cannot",
                   qUtf8Printable(path));
        return check;
    }
    const auto cannotWrite = [failure](const QString& why) {
        qCInfo(lcSettings, "%s", qUtf8Printable(why));
        if (failure)
            *failure = why;
        return SettingsWriteResult::CannotWrite;
    };
    const std::optional<QByteArray> text = FileText(*this);
    if (!text)
        return cannotWrite(QStringLiteral("cannot form the settings of %1").arg(path));

    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    if (slash > 0) {
        const QString folder = path.left(slash);
        if (::mkdir(NativePath(folder).constData(), 0777) != 0 && errno != EEXIST)
            return cannotWrite(
                QStringLiteral("cannot make the folder %1: %2")
                    .arg(DisplayName(folder), QString::fromLocal8Bit(std::strerror(errno))));
    }
    if (const QString why = WriteWholeFile(path, *text); !why.isEmpty())
        return cannotWrite(why);
    if (!vk_wifi_ap_pwd.isEmpty())
        vk_wifi_ap_pwd_encript = 1;
    return SettingsWriteResult::Written;
}
