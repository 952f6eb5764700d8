#pragma once

#include "telemetry/GpsFix.h"

#include <QList>
#include <QPointF>
#include <QRectF>

// The track of a recording drawn without a map: small pictures (the full-screen overlay) show
// where the car went from the fixes alone.
namespace TrackOutline {

// One point per fix, in the fixes' order, fitted into `box` north up and centred, with one scale
// for both directions (a degree of longitude shrinks with the cosine of the latitude). A track
// that stands still lies at the box's centre.
QList<QPointF> Fit(const QList<GpsFix>& fixes, const QRectF& box);

} // namespace TrackOutline
