#pragma once

#include "settings/CardFormatter.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QMap>
#include <optional>

// Card formatting through udisks2 on the system bus: the volume is found by its mount point,
// its drive must be removable (the removable flag, or USB, or an SD slot), and udisks2 asks the
// desktop's authorization agent before it changes anything.
class UDisksCardFormatter : public CardFormatter {
public:
    explicit UDisksCardFormatter(QDBusConnection bus = QDBusConnection::systemBus());

    bool IsRemovableVolume(const QString& root) override;
    QString Label(const QString& root) override;
    bool SetLabel(const QString& root, const QString& label) override;
    FormatResult Format(const QString& root, const QString& label) override;

private:
    struct Volume {
        QDBusObjectPath object;
        QString label;
        bool removable = false;
    };
    std::optional<Volume> VolumeAt(const QString& root);
    QDBusMessage Call(const QDBusObjectPath& object, const QString& interface,
                      const QString& method, const QVariantList& arguments,
                      int timeoutMs = -1) const;

    QDBusConnection m_bus;
    // The volumes found at each root, so that one unmounted for its format is still found.
    QMap<QString, QDBusObjectPath> m_known;
};
