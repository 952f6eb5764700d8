#pragma once

#include "tools/democard/DemoCard.h"

// The two telemetry files the camera writes beside a recording: one RMC fix a second along a
// drive through the city that goes on across the recordings of a trip (a few without a fix), and
// G-sensor samples ten times a second. Event recordings hold a hard brake (the speed drops with
// it) and a knock in the middle, Motion recordings a sharp turn; the rest is smooth driving.
QString WriteGps(const QString& path, const DemoRecording& recording,
                 const DemoCardOptions& options);
QString WriteGsf(const QString& path, const DemoRecording& recording,
                 const DemoCardOptions& options, int index);
