#pragma once

#include <QDateTime>
#include <QSize>
#include <QString>

// What the demo card holds: recordings over some days, each with its telemetry files.
struct DemoCardOptions {
    QString folder;
    QDate firstDay{2026, 12, 1};
    int days = 2;
    int recordingsPerDay = 3;
    int seconds = 20;
    QSize frameSize{1280, 720};
    int framesPerSecond = 30;
};

struct DemoRecording {
    QString name;         // YYYYMMDD_HHMMSS_KND.EXT
    QDateTime localStart; // the time the name carries
    bool isEvent = false;
    bool isMp4 = false;
    int trip = 0;         // recordings of one trip follow one another without a pause
    int secondInTrip = 0; // where in its trip the recording starts
};

// Writes the card; returns an error text, empty on success.
QString WriteDemoCard(const DemoCardOptions& options);
