#include "astro/angles.hpp"
#include "astro/day_count.hpp"
#include "astro/place_text.hpp"
#include "atlas/local_birth.hpp"
#include "library/record_files.hpp"
#include "library/record_text.hpp"
#include "shell/record_rules.hpp"

#include <cmath>
#include <cstdio>
#include <variant>

namespace astrodesk {

namespace {

constexpr double kSecondsPerCentury = kDaysPerJulianCentury * 86400.0;
constexpr double kEpochJulianDay = 2415020.0; // the day count's origin, 1899 December 31, 12h
// A place of the atlas stands for the record's coordinates when it lies this close (degrees).
constexpr double kSamePlaceDeg = 1.0;

// The chunks of one record, each split into its trimmed fields.
struct AafRecord {
    int line = 0;
    std::string a93Line;
    std::vector<std::string> a93, b93;
    std::string zoneAbbreviation, comment, source;
    // This program's own chunks, which other readers pass over: what AAF has no field for.
    std::string zoneName, region; // #TZN, #REG
    bool greenwichOnly = false;   // #UTC: the A93 date and time are the Greenwich moment alone
};

// The field, or "" when it is missing or "*" (unknown).
std::string Known(const std::vector<std::string>& fields, std::size_t index) {
    return index < fields.size() && fields[index] != "*" ? fields[index] : std::string();
}

struct Refused {
    std::string field, error;
};

// "43n31" or "5e27" (degrees, the hemisphere letter in either case, minutes): degrees, north
// and east positive.
std::optional<double> AafAngle(const std::string& text, char positive, char negative) {
    const std::size_t at = text.find_first_of(std::string{
        positive, negative, static_cast<char>(positive - 32), static_cast<char>(negative - 32)});
    if (at == std::string::npos || at == 0) return std::nullopt;
    const auto degrees = WholeNumber(text.substr(0, at));
    const auto minutes = at + 1 < text.size() ? WholeNumber(text.substr(at + 1, 2)) : 0;
    if (!degrees || !minutes || *minutes > 60) return std::nullopt;
    const double value = *degrees + *minutes / 60.0;
    return (text[at] | 32) == negative ? -value : value;
}

// "1he00", "5hw", "5hw30": the zone's offset east of Greenwich in seconds.
std::optional<int> AafZone(const std::string& text) {
    const std::size_t h = text.find_first_of("hH");
    if (h == std::string::npos || h == 0 || h + 1 >= text.size()) return std::nullopt;
    const char side = static_cast<char>(text[h + 1] | 32);
    const auto hours = WholeNumber(text.substr(0, h));
    const auto minutes = h + 2 < text.size() ? WholeNumber(text.substr(h + 2)) : 0;
    if (!hours || !minutes || (side != 'e' && side != 'w') || *hours > 15 || *minutes > 59)
        return std::nullopt;
    const int seconds = *hours * 3600 + *minutes * 60;
    return side == 'w' ? -seconds : seconds;
}

// "D.M.YYYY", with a negative year "D.M.-YYYY" for the years B.C. counted as the entry form
// counts them (no year 0: -1 is 1 B.C.).
std::optional<std::pair<std::string, std::int16_t>> AafDate(const std::string& text) {
    std::vector<std::string> parts = SplitAt(text, '.');
    if (parts.size() != 3) return std::nullopt;
    const bool beforeChrist = parts[2].starts_with('-');
    if (beforeChrist) parts[2].erase(0, 1);
    const auto day = WholeNumber(parts[0]), month = WholeNumber(parts[1]),
               year = WholeNumber(parts[2]);
    if (!day || !month || !year) return std::nullopt;
    char date[40];
    std::snprintf(date, sizeof date, "%02d-%02d-%04d", *day % 100, *month % 100, *year % 10000);
    if (*day > 99 || *month > 99 || *year > 9999 || !AcceptDate(date)) return std::nullopt;
    return std::pair(std::string(date), static_cast<std::int16_t>(beforeChrist ? 1 : 0));
}

// "H:MM", "H:MM:SS" or "H.MM" as "HH:MM:SS".
std::optional<std::string> AafTime(const std::string& text) {
    std::vector<std::string> parts = SplitAt(text, text.find(':') != text.npos ? ':' : '.');
    if (parts.size() == 2) parts.push_back("0");
    if (parts.size() != 3) return std::nullopt;
    const auto hour = WholeNumber(parts[0]), minute = WholeNumber(parts[1]),
               second = WholeNumber(parts[2]);
    if (!hour || !minute || !second || *hour > 99 || *minute > 99 || *second > 99)
        return std::nullopt;
    char time[40];
    std::snprintf(time, sizeof time, "%02d:%02d:%02d", *hour, *minute, *second);
    return AcceptTime(time);
}

// The atlas's place of a record: the name as written, else its first part ("Kandel/Pfalz"),
// the most populous match or, with the record's coordinates, the nearest within a degree.
std::optional<AtlasPlace> AtlasPlaceOf(const Atlas& atlas, const std::string& name,
                                       std::optional<double> north, std::optional<double> east) {
    for (const std::string& query : {name, name.substr(0, name.find_first_of("/("))}) {
        std::vector<AtlasPlace> matches = atlas.FindPlaces(query);
        if (matches.empty()) continue;
        if (!north || !east) return matches.front();
        for (const AtlasPlace& place : matches)
            if (std::abs(place.latitudeDeg - *north) < kSamePlaceDeg &&
                std::abs(place.longitudeDeg - *east) < kSamePlaceDeg)
                return place;
    }
    return std::nullopt;
}

void SetGreenwich(KeptChart& chart, double julianCenturies) {
    const MomentTexts texts = MomentTextsOf(CalendarMomentOf(julianCenturies));
    chart.record.ChartDate = texts.date;
    chart.record.ChartTime = texts.time;
    chart.record.EraText = texts.eraText;
    chart.record.ChartEra = texts.era;
}

// The chart of one record, or why it is refused.
std::variant<KeptChart, Refused> ChartOfRecord(const AafRecord& aaf, const Atlas& atlas) {
    KeptChart chart;
    const std::string last = Known(aaf.a93, 0), first = Known(aaf.a93, 1);
    chart.record.ChartName = first.empty() ? last : last.empty() ? first : last + ", " + first;
    if (!AcceptName(chart.record.ChartName))
        return Refused{"#A93 name", "a name that is not empty, without control characters"};
    chart.kind = Known(aaf.a93, 2);
    std::int16_t localEra = 0;
    if (const std::string date = Known(aaf.a93, 3); !date.empty()) {
        const auto local = AafDate(date);
        if (!local)
            return Refused{"#A93 date", "D.M.YYYY (D.M.-YYYY for a year B.C.), not " + date};
        chart.localDate = local->first;
        localEra = local->second;
    }
    if (const std::string time = Known(aaf.a93, 4); !time.empty()) {
        const auto local = AafTime(time);
        if (!local) return Refused{"#A93 time", "H:MM or H:MM:SS, not " + time};
        chart.localTime = *local;
    }
    chart.placeName = Known(aaf.a93, 5);
    chart.country = Known(aaf.a93, 6);
    chart.abbreviation = aaf.zoneAbbreviation;
    chart.note = aaf.comment;
    chart.source = aaf.source;

    std::optional<double> north, east;
    if (const std::string text = Known(aaf.b93, 1); !text.empty())
        if (!(north = AafAngle(text, 'n', 's')) || std::abs(*north) >= 90.0)
            return Refused{"#B93 latitude", "degrees, n or s, minutes such as 43n31, not " + text};
    if (const std::string text = Known(aaf.b93, 2); !text.empty())
        if (!(east = AafAngle(text, 'e', 'w')) || std::abs(*east) > 180.0)
            return Refused{"#B93 longitude", "degrees, e or w, minutes such as 5e27, not " + text};
    std::optional<int> zone;
    if (const std::string text = Known(aaf.b93, 3); !text.empty())
        if (!(zone = AafZone(text)))
            return Refused{"#B93 zone", "hours, h, e or w, minutes such as 1he00, not " + text};
    const std::string saving = Known(aaf.b93, 4);
    const bool meanTime = saving == "L" || saving == "l";
    const auto savingHours = meanTime || saving.empty() ? 0 : WholeNumber(saving).value_or(0);

    std::optional<AtlasPlace> place;
    if ((!north || !east || (!zone && !meanTime)) && !chart.placeName.empty())
        place = AtlasPlaceOf(atlas, chart.placeName, north, east);
    if (!north || !east) {
        if (!place)
            return Refused{"#B93 latitude", "no latitude and longitude, and the atlas does not "
                                            "know the place \"" +
                                                chart.placeName + "\""};
        north = place->latitudeDeg;
        east = place->longitudeDeg;
    }
    chart.record.ChartLatitude = LatitudeTextOf(*north);
    chart.record.ChartLongitude = LongitudeTextOf(*east);
    if (place) chart.region = place->region;

    const bool localKnown = !chart.localDate.empty() && !chart.localTime.empty();
    const double localT =
        localKnown ? JulianCenturiesOfTexts(chart.localDate, chart.localTime, localEra) : 0.0;
    if (zone) {
        chart.offset = *zone + savingHours * 3600;
    } else if (meanTime) {
        chart.offset = static_cast<int>(std::lround(*east * 60.0)) * 4; // 4 s a minute of arc
        chart.abbreviation = "LMT";
    }
    if (const std::string day = Known(aaf.b93, 0); !day.empty()) {
        const auto julianDay = DecimalNumber(day);
        if (!julianDay) return Refused{"#B93 julian day", "a decimal number, not " + day};
        SetGreenwich(chart, (*julianDay - kEpochJulianDay) / kDaysPerJulianCentury);
        if (!chart.offset && localKnown)
            chart.offset = static_cast<int>(
                std::lround((localT - (*julianDay - kEpochJulianDay) / kDaysPerJulianCentury) *
                            kSecondsPerCentury));
    } else if (!localKnown) {
        return Refused{"#A93 date", "neither a Julian Day nor a local date and time"};
    } else if (chart.offset) {
        SetGreenwich(chart, localT - *chart.offset / kSecondsPerCentury);
    } else {
        if (!place)
            return Refused{"#B93 zone", "no zone, and the atlas does not know the place \"" +
                                            chart.placeName + "\""};
        const BirthConversion conversion = ConvertLocalBirth(
            atlas, {chart.localDate, chart.localTime, localEra, place->zone, *north, *east});
        if (!conversion.birth) return Refused{"#A93 time", conversion.refusal};
        const GreenwichBirth& birth = *conversion.birth;
        chart.record.ChartDate = birth.ChartDate;
        chart.record.ChartTime = birth.ChartTime;
        chart.record.EraText = birth.EraText;
        chart.record.ChartEra = birth.ChartEra;
        chart.zone = place->zone;
        chart.offset = birth.offset.seconds;
        chart.abbreviation = birth.offset.abbreviation;
    }
    if (!aaf.zoneName.empty()) chart.zone = aaf.zoneName;
    if (!aaf.region.empty()) chart.region = aaf.region;
    if (aaf.greenwichOnly) {
        chart.localDate = chart.localTime = chart.abbreviation = "";
        chart.offset.reset();
    }
    if (const auto refusal = RecordRefusal(chart.record))
        return Refused{refusal->field, "the moment falls outside the years 9999 B.C. to 9999 "
                                       "A.D. (" +
                                           refusal->message + ")"};
    return chart;
}

// The records of an AAF text with the line each begins on.
std::vector<AafRecord> AafRecordsOf(const std::string& text) {
    std::vector<AafRecord> records;
    int number = 0;
    for (const std::string& line : LinesOf(text)) {
        ++number;
        if (line.size() < 2 || line[0] != '#' || line[1] == ':') continue; // text or comment
        const std::size_t colon = line.find(':');
        if (colon == std::string::npos) continue;
        const std::string chunk = line.substr(1, colon - 1), rest = line.substr(colon + 1);
        if (chunk == "A93") {
            records.push_back({number, line, TrimmedFields(rest), {}, {}, {}, {}, {}, {}, false});
            continue;
        }
        if (records.empty()) continue; // a chunk before the first record belongs to none
        AafRecord& record = records.back();
        if (chunk == "B93") record.b93 = TrimmedFields(rest);
        if (chunk == "ZNAM") record.zoneAbbreviation = Trimmed(rest);
        const auto append = [&rest](std::string& to) {
            to += (to.empty() ? "" : " ") + Trimmed(rest);
        };
        if (chunk == "COM") append(record.comment);
        if (chunk == "SRC") append(record.source);
        if (chunk == "TZN") record.zoneName = Trimmed(rest);
        if (chunk == "REG") record.region = Trimmed(rest);
        if (chunk == "UTC") record.greenwichOnly = true;
    }
    return records;
}

std::string Field(const std::string& text) {
    std::string field = text.empty() ? "*" : text;
    for (char& c : field)
        if (c == ',' || c == '\n' || c == '\r') c = ';';
    return field;
}

std::string AafAngleText(double degrees, char positive, char negative) {
    const long minutes = std::lround(std::abs(degrees) * 60.0);
    return std::to_string(minutes / 60) + (degrees < 0 ? negative : positive) +
           (minutes % 60 < 10 ? "0" : "") + std::to_string(minutes % 60);
}

std::string AafZoneText(int seconds) {
    const int minutes = std::abs(seconds) / 60;
    char text[16];
    std::snprintf(text, sizeof text, "%dh%c%02d", minutes / 60, seconds < 0 ? 'w' : 'e',
                  minutes % 60);
    return text;
}

// "DD-MM-YYYY" and "HH:MM:SS" in AAF's forms "D.M.YYYY" and "H:MM:SS".
std::string AafDateText(const std::string& date, std::int16_t era) {
    return std::to_string(std::stoi(date.substr(0, 2))) + "." +
           std::to_string(std::stoi(date.substr(3, 2))) + "." + (era == 1 ? "-" : "") +
           date.substr(6);
}
std::string AafTimeText(const std::string& time) {
    return std::to_string(std::stoi(time.substr(0, 2))) + time.substr(2);
}

void WriteAafChart(const KeptChart& chart, std::string& out) {
    const ChartRecord& r = chart.record;
    const std::string& name = r.ChartName;
    const std::size_t comma = name.find(", ");
    const std::string last = comma == std::string::npos ? name : name.substr(0, comma);
    const std::string first = comma == std::string::npos ? "" : name.substr(comma + 2);
    const bool civil = !chart.localDate.empty() && !chart.localTime.empty() && chart.offset;
    const bool meanTime = civil && chart.abbreviation == "LMT";
    const double t = JulianCenturiesOfTexts(r.ChartDate, r.ChartTime, r.ChartEra);
    char julianDay[32];
    std::snprintf(julianDay, sizeof julianDay, "%.6f", kEpochJulianDay + t * kDaysPerJulianCentury);
    out += "#A93:" + Field(last) + "," + (first.empty() ? "" : Field(first)) + "," +
           Field(chart.kind) + "," +
           AafDateText(civil ? chart.localDate : r.ChartDate, r.ChartEra) + "," +
           AafTimeText(civil ? chart.localTime : r.ChartTime) + "," + Field(chart.placeName) + "," +
           Field(chart.country) + "\n";
    out += "#B93:" + std::string(julianDay) + "," +
           AafAngleText(RadToDeg(LatitudeFromText(r.ChartLatitude)), 'n', 's') + "," +
           AafAngleText(-LongitudeWestFromText(r.ChartLongitude), 'e', 'w') + "," +
           (meanTime ? "*" : AafZoneText(civil ? *chart.offset : 0)) + "," +
           (meanTime ? "L" : "0") + "\n";
    if (civil && !chart.abbreviation.empty() && !meanTime)
        out += "#ZNAM:" + Field(chart.abbreviation) + "\n";
    if (!chart.note.empty()) out += "#COM:" + OneLine(chart.note) + "\n";
    if (!chart.source.empty()) out += "#SRC:" + OneLine(chart.source) + "\n";
    if (!chart.zone.empty()) out += "#TZN:" + OneLine(chart.zone) + "\n";
    if (!chart.region.empty()) out += "#REG:" + OneLine(chart.region) + "\n";
    if (!civil) out += "#UTC:\n";
}

} // namespace

std::vector<RecordReading> ReadAafRecords(std::string_view text, const Atlas& atlas) {
    std::vector<RecordReading> readings;
    for (const AafRecord& record : AafRecordsOf(TextAsUtf8(text))) {
        RecordReading reading{record.line, record.a93Line, std::nullopt, "", ""};
        auto chart = ChartOfRecord(record, atlas);
        if (auto* refused = std::get_if<Refused>(&chart)) {
            reading.field = refused->field;
            reading.error = refused->error;
        } else {
            reading.chart = std::get<KeptChart>(std::move(chart));
        }
        readings.push_back(std::move(reading));
    }
    return readings;
}

std::string AafText(const std::vector<KeptChart>& charts) {
    std::string out = "#: Astrodesk chart library export\n";
    for (const KeptChart& chart : charts)
        WriteAafChart(chart, out);
    return out;
}

} // namespace astrodesk
