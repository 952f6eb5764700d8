#include "telemetry/GpsFile.h"
#include "telemetry/RmcSentence.h"

#include <cstdlib>
#include <ctime>
#include <gtest/gtest.h>
#include <ostream>

void PrintTo(const GpsFix& f, std::ostream* out) {
    *out << f.year << '-' << f.month << '-' << f.day << ' ' << f.hour << ':' << f.minute << ':'
         << f.second << " valid " << f.valid << " at " << f.latitude << ',' << f.longitude
         << " speed " << f.speed << " course " << f.course << " stamp " << f.timeStamp << " offset "
         << f.offset;
}

namespace {

// Runs the test in a fixed time zone, so that local time stamps have known values.
class InTimeZone {
public:
    explicit InTimeZone(const char* zone) {
        if (const char* old = std::getenv("TZ"))
            m_old = old;
        setenv("TZ", zone, 1);
        tzset();
    }
    ~InTimeZone() {
        if (m_old.empty())
            unsetenv("TZ");
        else
            setenv("TZ", m_old.c_str(), 1);
        tzset();
    }

private:
    std::string m_old;
};

// The fix of a typical camera line, varied by the cases below.
GpsFix ExampleFix() {
    GpsFix fix;
    fix.offset = 123;
    fix.hour = 17;
    fix.minute = 30;
    fix.second = 15;
    fix.valid = 1;
    fix.latitude = 3733.1234;
    fix.longitude = 12658.5678;
    fix.speed = double(18.52f);
    fix.course = 45.5;
    fix.day = 15;
    fix.month = 3;
    fix.year = 13;
    fix.timeStamp = 1363368615; // 2013-03-15 17:30:15 in UTC
    return fix;
}

template <typename Change> GpsFix Example(Change change) {
    GpsFix fix = ExampleFix();
    change(fix);
    return fix;
}

struct LineCase {
    const char* line;
    GpsFix expected;
};

TEST(GpsLine, ReadsRmcSentencesFieldByField) {
    const InTimeZone utc("UTC0");
    const LineCase cases[] = {
        {"123:$GPRMC,083015.000,A,3733.1234,N,12658.5678,E,10.0,45.5,150313,,,A", ExampleFix()},
        {"123:$GPRMC,083015.000,A,3733.1234,S,12658.5678,W,10.0,45.5,150313,,,A",
         Example([](GpsFix& f) {
             f.latitude = -3733.1234;
             f.longitude = -12658.5678;
         })},
        {"123:$GPRMC,083015.000,A,3733.1234,,12658.5678,,10.0,45.5,150313,,,A",
         Example([](GpsFix& f) {
             f.latitude = -3733.1234;
             f.longitude = -12658.5678;
         })},
        {"123:$GPRMC,083015.000,V,3733.1234,N,12658.5678,E,10.0,45.5,150313,,,A",
         Example([](GpsFix& f) { f.valid = 0; })},
        {"123:$GPRMC,083015.000,A,3733.1234,N,12658.5678,E,10.0,45.5,150313*1A", ExampleFix()},
        // The checksum is not verified.
        {"123:$GPRMC,083015.000,A,3733.1234,N,12658.5678,E,10.0,45.5,150313,,,A*00", ExampleFix()},
        // 20:00 UTC on the last day of 2013 is hour 29, early next morning in local time.
        {"123:$GPRMC,200000.000,A,3733.1234,N,12658.5678,E,10.0,45.5,311213,,,A",
         Example([](GpsFix& f) {
             f.hour = 29, f.minute = 0, f.second = 0, f.day = 31, f.month = 12,
             f.timeStamp = 1388552400;
         })},
        {"123:$GPRMC,000000,A,3733.1234,N,12658.5678,E,10.0,45.5,010169,,,A",
         Example([](GpsFix& f) {
             f.hour = 9, f.minute = 0, f.second = 0, f.day = 1, f.month = 1, f.year = 69,
             f.timeStamp = 3124256400;
         })},
        {"123:$GPRMC,000000,A,3733.1234,N,12658.5678,E,10.0,45.5,010170,,,A",
         Example([](GpsFix& f) {
             f.hour = 9, f.minute = 0, f.second = 0, f.day = 1, f.month = 1, f.year = 70,
             f.timeStamp = 32400;
         })},
        // Cut short after the status: a valid fix without position, speed, date or time stamp.
        {"7:$GPRMC,083015.000,A",
         [] {
             GpsFix f;
             f.offset = 7, f.hour = 17, f.minute = 30, f.second = 15, f.valid = 1;
             return f;
         }()},
        // Cut short after the latitude: no hemisphere field, so nothing negates it.
        {"7:$GPRMC,083015.000,A,3733.1234",
         [] {
             GpsFix f;
             f.offset = 7, f.hour = 17, f.minute = 30, f.second = 15, f.valid = 1;
             f.latitude = 3733.1234;
             return f;
         }()},
        {"$GPRMC,083015.000,A,3733.1234,N,12658.5678,E,10.0,45.5,150313,,,A",
         Example([](GpsFix& f) { f.offset = 0; })},
        {"  -45 ms:$GPRMC,083015.000,A,3733.1234,N,12658.5678,E,10.0,45.5,150313,,,A",
         Example([](GpsFix& f) { f.offset = -45; })},
        // Fields that do not read give 0; a short time field gives what it has.
        {"123:$GPRMC,0830,A,abc,N,-12658.5678e0,E,x,45.5z,150313,,,A", Example([](GpsFix& f) {
             f.second = 0;
             f.latitude = 0;
             f.longitude = -12658.5678;
             f.speed = 0;
             f.timeStamp = 1363368600;
         })},
        {"123:$GPRMC,083015.000,A,3733.1234,N,12658.5678,E,1e300,-1e39,150313,,,A",
         Example([](GpsFix& f) {
             f.speed = 0;
             f.course = 0;
         })},
        {"123:$GPRMC,083015.000,A,3733.1234,N,12658.5678,E,,,150313,,,A", Example([](GpsFix& f) {
             f.speed = 0;
             f.course = 0;
         })},
    };
    for (const LineCase& test : cases) {
        GpsFix fix;
        EXPECT_TRUE(ReadGpsLine(test.line, fix)) << test.line;
        EXPECT_EQ(fix, test.expected) << test.line;
    }
}

TEST(GpsLine, TimeStampIsLocalTime) {
    const std::string_view line = "$GPRMC,200000.000,A,3733.1234,N,12658.5678,E,1,1,311213";
    GpsFix seoul;
    {
        const InTimeZone zone("KST-9");
        ASSERT_TRUE(ReadGpsLine(line, seoul));
    }
    EXPECT_EQ(seoul.timeStamp, 1388552400 - 9 * 3600); // 2014-01-01 05:00 in Seoul
    GpsFix newYork;
    {
        const InTimeZone zone("EST5EDT,M3.2.0,M11.1.0");
        ASSERT_TRUE(ReadGpsLine(line, newYork));
    }
    EXPECT_EQ(newYork.timeStamp, 1388552400 + 5 * 3600);
}

TEST(GpsLine, IgnoresWhatIsNotAnRmcSentence) {
    const char* lines[] = {
        "120:$GPGGA,083015.000,3733.1234,N,12658.5678,E,1,08,0.9,545.4,M,46.9,M,,*47",
        "120: $GPRMC,083015.000,A,3733.1234,N,12658.5678,E,10.0,45.5,150313",
        "120:$gprmc,083015.000,A,3733.1234,N,12658.5678,E,10.0,45.5,150313",
        "120:$GPRM",
        "",
        "QX5 GPS LOG",
    };
    for (const char* line : lines) {
        GpsFix fix;
        EXPECT_FALSE(ReadGpsLine(line, fix)) << line;
        EXPECT_EQ(fix, GpsFix()) << line;
    }
}

} // namespace
