#pragma once

#include <QString>
#include <QtGlobal>

// Whether the camera finished a recording, told from the first few hundred bytes (one read; the
// list asks only for the rows it shows): a power cut leaves an MP4 without its moov box, an AVI
// without the RIFF size it writes last, or either cut off. False for a finished recording, for
// a file that is neither and for one that cannot be read.
bool IsUnfinishedRecording(const QString& path);
