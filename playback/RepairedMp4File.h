#pragma once

#include <QString>

// Writes an MP4 the camera did not finish as a standard MP4 at `outPath`: its whole samples as
// they are, the mdat's size and a rebuilt moov; nothing is encoded again and the recording itself
// is never written. The new file appears whole or not at all. Empty on success, with `recovered`
// saying what the new file holds; else why nothing was written.
QString SaveRepairedMp4(const QString& cutPath, const QString& outPath, QString& recovered);
