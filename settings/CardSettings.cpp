#include "settings/CardSettings.h"

#include "common/LogCategories.h"
#include "settings/SettingsFile.h"
#include "settings/WifiPassword.h"

#include <QFile>

int CardSettings::Read(SettingsSlot slot, const QString& path) {
    SettingsRecord& record = Record(slot);
    record.Reset();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        qCInfo(lcSettings, "cannot read %s: %s", qUtf8Printable(path),
               qUtf8Printable(file.errorString()));
        return SettingsReadResult::CannotRead;
    }
    // readLine gives at least the line end of an empty line: nothing means the end or an error.
    for (QByteArray line = file.readLine(); !line.isEmpty(); line = file.readLine()) {
        if (line.endsWith('\n')) {
            line.chop(1);
            if (line.endsWith('\r'))
                line.chop(1);
        }
        ParseSettingLine(std::string_view(line.constData(), size_t(line.size())), record);
    }
    // A card pulled part-way must not pass half a configuration off as the device's.
    if (file.error() != QFileDevice::NoError) {
        qCInfo(lcSettings, "cannot read %s to its end: %s", qUtf8Printable(path),
               qUtf8Printable(file.errorString()));
        record.Reset();
        return SettingsReadResult::CannotRead;
    }
    if (record.vk_wifi_ap_pwd_encript == 1 && !record.vk_wifi_ap_pwd.isEmpty()) {
        const std::optional<QString> password = DecodeWifiPassword(record.vk_wifi_ap_pwd);
        record.vk_wifi_ap_pwd = password.value_or(QString());
        if (!password) {
            qCInfo(lcSettings, "%s: the encoded Wi-Fi password does not decode",
                   qUtf8Printable(path));
            return SettingsReadResult::PasswordUndecodable;
        }
    }
    return SettingsReadResult::Read;
}
