#include "atlas/local_birth.hpp"

#include "astro/day_count.hpp"
#include "astro/place_text.hpp"
#include "shell/record_rules.hpp"

#include <cmath>
#include <cstdio>
#include <vector>

namespace astrodesk {

namespace {

constexpr double kSecondsPerCentury = kDaysPerJulianCentury * 86400.0;
// Julian centuries from JD 2415020.0 to 1970-01-01 00:00 (JD 2440587.5), where the time-zone
// database counts its seconds from.
constexpr double kUnixEpochCenturies = (2440587.5 - 2415020.0) / kDaysPerJulianCentury;
constexpr int kSecondsPerMinuteOfLongitude = 4; // the Earth turns a minute of arc in 4 seconds

// "DDxMM" or "DDDxMM" of an angle rounded to the whole minute, hemisphere letters for the
// positive and the negative side.
std::string PlaceText(double degrees, int maxDegrees, const char* format, char positive,
                      char negative) {
    long minutes = std::lround(std::abs(degrees) * 60.0);
    int whole = static_cast<int>(minutes / 60);
    int rest = static_cast<int>(minutes % 60);
    if (whole > maxDegrees) { // the entry's last degree, with 60 minutes
        whole = maxDegrees;
        rest = 60;
    }
    char text[40];
    std::snprintf(text, sizeof text, format, whole, degrees < 0 ? negative : positive, rest);
    return text;
}

std::string Describe(const LocalBirth& local) {
    return local.time + " on " + local.date + (local.era == 1 ? " B.C." : "") + " in " + local.zone;
}

// The widest offset from Greenwich any zone kept, in seconds, with a margin: every period
// whose clocks could read a given local time begins or ends within this of it.
constexpr long long kWidestOffsetSeconds = 26 * 3600;

// How the place's clocks read a local date and time: once, never (skipped when the clocks went
// forward: `earlier` is the offset before the change, `later` after it) or twice (repeated when
// they went back: `earlier` is the first offset, `later` the second).
struct LocalTimeReading {
    enum Kind { Unique, Skipped, Repeated } kind = Unique;
    ZoneOffset earlier;
    ZoneOffset later;
};

// The clocks of one place: the zone's history, except that before the zone's first standard
// offset, where the database keeps the local mean time of the zone's principal city ("LMT"),
// the place kept its own, the offset of its meridian from the longitude as the record writes it.
// The change to standard time came at the same Greenwich moment everywhere in the zone.
class PlaceClock {
  public:
    PlaceClock(const Atlas& atlas, const std::string& zone, const std::string& longitudeText)
        : atlas_(atlas), zone_(zone), meanTime_{LocalMeanTimeSeconds(longitudeText), "LMT"} {}

    // The place's period that holds a Greenwich moment.
    ZonePeriod PeriodAt(long long universalSeconds) const {
        ZonePeriod period = atlas_.PeriodAt(zone_, universalSeconds);
        if (period.offset.abbreviation == "LMT") period.offset = meanTime_;
        return period;
    }

    // The local time is read in each period of its neighbourhood: it happened in a period when
    // the Greenwich moment it gives with that period's offset lies within the period.
    LocalTimeReading Read(long long localSeconds) const {
        const std::vector<ZonePeriod> periods = PeriodsAround(localSeconds);
        const auto holds = [localSeconds](const ZonePeriod& period) {
            const long long universal = localSeconds - period.offset.seconds;
            return period.begin <= universal && universal < period.end;
        };
        std::vector<ZoneOffset> readings;
        for (const ZonePeriod& period : periods)
            if (holds(period)) readings.push_back(period.offset);
        if (readings.size() == 1) return {LocalTimeReading::Unique, readings[0], readings[0]};
        if (readings.size() > 1)
            return {LocalTimeReading::Repeated, readings.front(), readings.back()};
        return SkippedAt(periods, localSeconds);
    }

  private:
    static int LocalMeanTimeSeconds(const std::string& longitudeText) {
        const double minutesEast = -LongitudeWestFromText(longitudeText) * 60.0;
        return static_cast<int>(std::lround(minutesEast)) * kSecondsPerMinuteOfLongitude;
    }

    // The periods, in order, from a day before the local time to a day after it.
    std::vector<ZonePeriod> PeriodsAround(long long localSeconds) const {
        std::vector<ZonePeriod> periods{PeriodAt(localSeconds - kWidestOffsetSeconds)};
        while (periods.back().end <= localSeconds + kWidestOffsetSeconds)
            periods.push_back(PeriodAt(periods.back().end));
        return periods;
    }

    // The change that jumped over the local time: read with the offset before it, the local
    // time falls after the change; read with the offset after it, before the change.
    static LocalTimeReading SkippedAt(const std::vector<ZonePeriod>& periods,
                                      long long localSeconds) {
        for (std::size_t i = 1; i < periods.size(); ++i)
            if (localSeconds - periods[i - 1].offset.seconds >= periods[i - 1].end &&
                localSeconds - periods[i].offset.seconds < periods[i].begin)
                return {LocalTimeReading::Skipped, periods[i - 1].offset, periods[i].offset};
        return {LocalTimeReading::Skipped, periods.front().offset, periods.back().offset};
    }

    const Atlas& atlas_;
    const std::string& zone_;
    ZoneOffset meanTime_;
};

long long SecondsFromUnixEpoch(double julianCenturies) {
    return std::llround((julianCenturies - kUnixEpochCenturies) * kSecondsPerCentury);
}

} // namespace

std::string OffsetText(int seconds) {
    const int size = std::abs(seconds);
    char text[40];
    if (size % 60 == 0)
        std::snprintf(text, sizeof text, "%c%02d:%02d", seconds < 0 ? '-' : '+', size / 3600,
                      size / 60 % 60);
    else
        std::snprintf(text, sizeof text, "%c%02d:%02d:%02d", seconds < 0 ? '-' : '+', size / 3600,
                      size / 60 % 60, size % 60);
    return text;
}

std::string LatitudeTextOf(double latitudeDeg) {
    return PlaceText(latitudeDeg, 89, "%02d%c%02d", 'N', 'S');
}

std::string LongitudeTextOf(double longitudeDeg) {
    return PlaceText(longitudeDeg, 179, "%03d%c%02d", 'E', 'W');
}

BirthConversion ConvertLocalBirth(const Atlas& atlas, const LocalBirth& local) {
    if (!AcceptDate(local.date))
        return {std::nullopt, "the local date \"" + local.date +
                                  "\" is not DD-MM-YYYY with day 01-31, month 01-12 and year "
                                  "0001-9999"};
    if (!AcceptTime(local.time))
        return {std::nullopt, "the local time \"" + local.time +
                                  "\" is not HH:MM:SS with hours 00-23, minutes and seconds 00-59"};
    if (!atlas.KnowsZone(local.zone))
        return {std::nullopt,
                "the time zone \"" + local.zone + "\" is not in the time-zone database"};

    GreenwichBirth birth;
    birth.ChartLatitude = LatitudeTextOf(local.latitudeDeg);
    birth.ChartLongitude = LongitudeTextOf(local.longitudeDeg);

    const double localT = JulianCenturiesOfTexts(local.date, local.time, local.era);
    const long long localSeconds = SecondsFromUnixEpoch(localT);
    const LocalTimeReading reading =
        PlaceClock(atlas, local.zone, birth.ChartLongitude).Read(localSeconds);
    switch (reading.kind) {
    case LocalTimeReading::Skipped:
        return {std::nullopt, "the local time " + Describe(local) +
                                  " does not exist: the clocks went forward from " +
                                  reading.earlier.abbreviation + " to " +
                                  reading.later.abbreviation + " then"};
    case LocalTimeReading::Repeated:
        birth.notice = "the local time " + Describe(local) + " happened twice (" +
                       reading.earlier.abbreviation + ", then " + reading.later.abbreviation +
                       "): the earlier, " + reading.earlier.abbreviation + ", is taken";
        break;
    case LocalTimeReading::Unique:
        break;
    }
    birth.offset = reading.earlier;

    const double greenwichT = localT - birth.offset.seconds / kSecondsPerCentury;
    const MomentTexts texts = MomentTextsOf(CalendarMomentOf(greenwichT));
    if (!AcceptDate(texts.date))
        return {std::nullopt, "the Greenwich moment of " + Describe(local) +
                                  " falls outside 01-01-9999 B.C. to 31-12-9999 A.D."};
    birth.ChartDate = texts.date;
    birth.ChartTime = texts.time;
    birth.EraText = texts.eraText;
    birth.ChartEra = texts.era;
    return {birth, ""};
}

ZoneOffset ZoneOffsetAtRecord(const Atlas& atlas, const std::string& zone,
                              const ChartRecord& record) {
    const double t = JulianCenturiesOfTexts(record.ChartDate, record.ChartTime, record.ChartEra);
    return PlaceClock(atlas, zone, record.ChartLongitude).PeriodAt(SecondsFromUnixEpoch(t)).offset;
}

} // namespace astrodesk
