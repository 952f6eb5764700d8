#include "settings/TimeZones.h"

#include <QDateTime>
#include <QTimeZone>
#include <algorithm>

namespace {

constexpr TimeZone Zones[] = {
    {"-12:00", -1200, -720},
    {"-11:00", -1100, -660},
    {"-10:00", -1000, -600},
    {"-09:00", -900, -540},
    {"-08:00", -800, -480},
    {"-07:00", -700, -420},
    {"-06:00", -600, -360},
    {"-05:30", -530, -330},
    {"-05:00", -500, -300},
    {"-04:30", -430, -270},
    {"-04:00", -400, -240},
    {"-03:30", -330, -210},
    {"-03:00", -300, -180},
    {"-02:30", -230, -150},
    {"-02:00", -200, -120},
    {"-01:00", -100, -60},
    {"0", 0, 0},
    {"+01:00", 100, 60},
    {"+02:00", 200, 120},
    {"+02:30", 230, 150},
    {"+03:00", 300, 180},
    {"+03:30", 330, 210},
    {"+04:00", 400, 240},
    {"+04:30", 430, 270},
    {"+05:00", 500, 300},
    {"+05:30", 530, 330},
    {"+05:45", 545, 345},
    {"+06:00", 600, 360},
    {"+06:30", 630, 390},
    {"+07:00", 700, 420},
    {"+07:30", 730, 450},
    {"+08:00", 800, 480},
    {"+08:30", 830, 510},
    {"+09:00", 900, 540},
    {"+09:30", 930, 570},
    {"+10:00", 1000, 600},
    {"+10:30", 1030, 630},
    {"+11:00", 1100, 660},
    {"+12:00", 1200, 720},
    {"+13:00", 1300, 780},
};

template <typename Match> int IndexWhere(Match match) {
    const auto* zone = std::find_if(std::begin(Zones), std::end(Zones), match);
    return zone == std::end(Zones) ? 0 : int(zone - std::begin(Zones));
}

} // namespace

std::span<const TimeZone> TimeZones() {
    return Zones;
}

int ZoneIndexOfCode(int code) {
    return IndexWhere([code](const TimeZone& zone) { return zone.code == code; });
}

int ZoneIndexOfOffset(int offsetMinutes) {
    return IndexWhere(
        [offsetMinutes](const TimeZone& zone) { return zone.offsetMinutes == offsetMinutes; });
}

std::optional<int> SystemStandardOffsetMinutes() {
    const QTimeZone zone = QTimeZone::systemTimeZone();
    if (!zone.isValid())
        return std::nullopt;
    return zone.standardTimeOffset(QDateTime::currentDateTimeUtc()) / 60;
}
