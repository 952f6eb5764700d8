#pragma once

#include <QObject>

// What the map page may ask of the program, through the web channel as the object "host".
class MapPageHost : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    Q_INVOKABLE void seekTo(double offsetMs);

signals:
    void seekRequested(qint64 offsetMs);
};
