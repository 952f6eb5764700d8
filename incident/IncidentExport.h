#pragma once

#include "incident/ClipExport.h"
#include "incident/FrameOverlay.h"

#include <QDateTime>
#include <QString>
#include <atomic>

// What to hand over after an incident: a span of the card's recordings, in camera time.
struct IncidentRequest {
    QString cardRoot;
    QDateTime from; // camera time, as ParseCameraTime gives it
    QDateTime to;
    QString packFolder; // must not exist yet; its parent must
    SpeedUnit unit = SpeedUnit::KilometresPerHour;
    // cardRoot is a folder of recordings, not a card: no camera settings go into the report.
    bool folderMode = false;
};

// Writes the evidence pack: originals/ (the recordings the span touches with their .gps and
// .gsf, byte for byte), track.gpx, clip.mp4 with overlay.csv, report.pdf and SHA256SUMS over
// all of them. The pack is built in a hidden folder beside `packFolder` and takes its name only
// when complete; a failure or a cancel removes it. Returns an error text, empty on success,
// CancelledText when `cancel` was set. Runs on the caller's thread; `progress` is called there.
QString ExportIncident(const IncidentRequest& request, const ExportProgress& progress,
                       const std::atomic<bool>& cancel);
