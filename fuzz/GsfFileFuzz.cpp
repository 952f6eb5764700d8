#include "fuzz/FuzzCheck.h"
#include "telemetry/GsfFile.h"

#include <QBuffer>

constexpr qsizetype HeaderSize = 524;
constexpr qsizetype RecordSize = 32;
constexpr int AxisLimit = 120;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QBuffer file(&bytes);
    file.open(QIODevice::ReadOnly);
    const QList<GSensorSample> samples = ReadGsfSamples(file);
    FUZZ_CHECK(samples.size() == std::max<qsizetype>(0, bytes.size() - HeaderSize) / RecordSize);
    for (const GSensorSample& sample : samples)
        for (int axis : {sample.x, sample.y, sample.z})
            FUZZ_CHECK(axis >= -AxisLimit && axis <= AxisLimit);
    return 0;
}
