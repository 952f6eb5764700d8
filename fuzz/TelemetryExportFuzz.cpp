#include "fuzz/FuzzCheck.h"
#include "telemetry/GpsFile.h"
#include "telemetry/GsfFile.h"
#include "telemetry/TelemetryExport.h"

#include <QBuffer>
#include <QXmlStreamReader>

namespace {

template <typename Reader> auto ReadFrom(QByteArray bytes, Reader read) {
    QBuffer file(&bytes);
    file.open(QIODevice::ReadOnly);
    return read(file);
}

bool InRange(QStringView text, double low, double high, bool highIncluded) {
    bool ok = false;
    const double value = text.toDouble(&ok);
    return ok && value >= low && (highIncluded ? value <= high : value < high);
}

} // namespace

// The first line names the track (a recording's name may hold any byte); the whole input is read
// as a .gps file for the fixes and as a .gsf file for the samples. The GPX must be well-formed
// with every value in the range the format allows; the CSV has one line per sample.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString trackName = QString::fromUtf8(bytes.left(bytes.indexOf('\n')));
    const QList<GpsFix> fixes = ReadFrom(bytes, ReadGpsFixes);
    const QList<GSensorSample> samples = ReadFrom(bytes, ReadGsfSamples);

    const QByteArray gpx = GpxTrackText(fixes, trackName);
    FUZZ_CHECK(!gpx.isEmpty());
    QXmlStreamReader xml(gpx);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("trkpt")) {
            FUZZ_CHECK(InRange(xml.attributes().value("lat"), -90.0, 90.0, true));
            FUZZ_CHECK(InRange(xml.attributes().value("lon"), -180.0, 180.0, false));
        } else if (xml.name() == QLatin1String("course")) {
            FUZZ_CHECK(InRange(xml.readElementText(), 0.0, 360.0, false));
        } else if (xml.name() == QLatin1String("speed")) {
            FUZZ_CHECK(InRange(xml.readElementText(), 0.0, 1e300, true));
        }
    }
    FUZZ_CHECK(!xml.hasError());

    FUZZ_CHECK(GsensorCsvText(samples).count('\n') == samples.size() + 1);
    return 0;
}
