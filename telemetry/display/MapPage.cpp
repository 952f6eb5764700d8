#include "telemetry/display/MapPage.h"

#include <QCoreApplication>
#include <QDir>

namespace MapPage {

QString LanguageCode(quint16 language) {
    switch (language) {
    case 1041:
        return QStringLiteral("ja");
    case 1049:
        return QStringLiteral("ru");
    case 1042:
        return QStringLiteral("ko");
    default:
        return QStringLiteral("en");
    }
}

QString PageFile() {
    return QDir::cleanPath(QCoreApplication::applicationDirPath() +
                           QStringLiteral("/../share/karvenna/MapView.htm"));
}

QUrl PageUrl(quint16 language) {
    QUrl url = QUrl::fromLocalFile(PageFile());
    url.setQuery(QStringLiteral("language=") + LanguageCode(language));
    return url;
}

} // namespace MapPage
