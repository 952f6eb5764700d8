#include "telemetry/ui/Reachability.h"

#include <QNetworkInformation>

bool InternetConnected() {
    static const bool loaded =
        QNetworkInformation::loadBackendByFeatures(QNetworkInformation::Feature::Reachability);
    const QNetworkInformation* information = loaded ? QNetworkInformation::instance() : nullptr;
    return !information ||
           information->reachability() != QNetworkInformation::Reachability::Disconnected;
}
