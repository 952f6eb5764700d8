#pragma once

#include <QString>

class QIODevice;

// The camera writes an MP4's moov box, the table of its samples, when the recording ends; a power
// cut leaves the pictures without it and nothing can find them. Says so for such a file, and
// where a file was cut off (also inside its moov box); empty for a whole MP4 and for a file
// that is no MP4 at all.
QString UnfinishedMp4Reason(QIODevice& file);
QString UnfinishedMp4Reason(const QString& path);
