#pragma once

#include "telemetry/GSensorSample.h"

#include <QList>

class QIODevice;

// The samples of a .gsf file in file order: a 524-byte header, then 32-byte little-endian
// records; a trailing piece shorter than a record is dropped.
QList<GSensorSample> ReadGsfSamples(QIODevice& file);
