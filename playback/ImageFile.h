#pragma once

#include <QImage>
#include <QString>

// A picture saved whole or not at all (common/WholeFileWriter.h) in the format named ("JPEG",
// "PNG"); empty on success, else what failed and why.
QString WriteImageFile(const QString& path, const QImage& image, const char* format);
