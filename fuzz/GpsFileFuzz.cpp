#include "fuzz/FuzzCheck.h"
#include "telemetry/GpsFile.h"

#include <QBuffer>

// A .gps file as a card may hold it: any bytes, any line lengths.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QBuffer file(&bytes);
    file.open(QIODevice::ReadOnly);
    for (const GpsFix& fix : ReadGpsFixes(file)) {
        FUZZ_CHECK(fix.valid == 1);
        FUZZ_CHECK(fix.latitude == fix.latitude && fix.longitude == fix.longitude);
        FUZZ_CHECK(fix.speed - fix.speed == 0.0 && fix.course - fix.course == 0.0); // finite
    }
    return 0;
}
