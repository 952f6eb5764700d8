#pragma once

#include <QString>

// `export ROOT --trip N --gpx OUT`: the GPX track of the card's trip N (0 the oldest).
int ExportTripTrack(const QString& root, const QString& trip, const QString& gpxPath);
