#pragma once

#include "tools/democard/DemoCard.h"

// The two telemetry files the camera writes beside a recording: one RMC fix a second along a
// drive through the city (a few without a fix), and G-sensor samples ten times a second with a
// jolt in the middle of an Event recording.
QString WriteGps(const QString& path, const DemoRecording& recording,
                 const DemoCardOptions& options, int index);
QString WriteGsf(const QString& path, const DemoRecording& recording,
                 const DemoCardOptions& options, int index);
