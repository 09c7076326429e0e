#include "chart_json.hpp"

#include "astro/angles.hpp"
#include "astro/day_count.hpp"
#include "atlas/local_birth.hpp"
#include "ephemeris/body_theory.hpp"
#include "interpret/factors.hpp"
#include "present/listing.hpp"
#include "shell/record_rules.hpp"
#include "shell/utf8_text.hpp"

namespace astrodesk::cli {

namespace {

void WriteBodies(const ProgramState& state, JsonWriter& out) {
    static const char* const kMotionMarks[] = {"", "R", "SR", "SD"};
    const PositionTables& p = state.positions;
    out.BeginArray();
    for (int slot = 1; slot <= 15; ++slot) {
        out.BeginObject()
            .Member("slot", slot)
            .Member("code", state.bodies.BodyAbbrev[slot])
            .Member("name", Trimmed(state.bodies.BodyName[slot]))
            .Member("longitudeDeg", LongitudeDegrees(p.BodyLongitude[slot]))
            .Member("latitudeDeg", RadToDeg(p.BodyLatitude[slot]));
        if (slot <= 12) {
            if (const auto reason = UndefinedDistanceReason(state, slot))
                out.Key("distanceAU").Null().Member("distanceNote", *reason);
            else
                out.Member("distanceAU", p.BodyDistance[slot]);
            const int motion = p.BodyMotion[slot];
            out.Member("motion", motion >= 1 && motion <= 3 ? kMotionMarks[motion] : "");
        }
        out.EndObject();
    }
    out.EndArray();
}

void WriteAspects(const Factors& factors, JsonWriter& out) {
    out.BeginArray();
    for (int i = 1; i <= 12; ++i)
        for (int j = i + 1; j <= 13; ++j)
            if (const int code = factors.AspectCode[AspectIndex(i, j)]; code != 0)
                out.BeginObject()
                    .Member("i", i)
                    .Member("j", j)
                    .Member("type", AspectName(code / 10))
                    .Member("stars", code % 10)
                    .EndObject();
    out.EndArray();
}

void WritePlace(const PlaceReport& place, JsonWriter& out) {
    out.BeginObject()
        .Member("name", place.name)
        .Member("region", place.region)
        .Member("country", place.country)
        .Member("zone", place.zone)
        .Member("utcOffset", OffsetText(place.offset.seconds))
        .Member("abbreviation", place.offset.abbreviation)
        .EndObject();
}

void WriteRecord(const ProgramState& state, const std::optional<PlaceReport>& place,
                 JsonWriter& out) {
    const ChartRecord& r = state.record;
    out.BeginObject()
        .Member("name", r.ChartName)
        .Member("date", r.ChartDate)
        .Member("time", r.ChartTime)
        .Member("era", EraTextOf(r.ChartEra))
        .Member("latitude", r.ChartLatitude)
        .Member("longitude", r.ChartLongitude);
    if (place) WritePlace(*place, out.Key("place"));
    // The moment charted, counted from JD 2415020.0 as the techniques count it.
    out.Member("effectiveJulianCenturies", state.frame.JulianCenturies + kCenturyBetweenEpochs)
        .EndObject();
}

void WriteOptions(const Options& options, JsonWriter& out) {
    out.BeginObject()
        .Member("centre", options.CentreBody)
        .Member("houseSystem", options.HouseSystem)
        .Member("orb", options.OrbDegrees)
        .Member("zodiac", options.Zodiac)
        .Member("technique", options.Technique)
        .Member("timesArrow", options.TimesArrow)
        .Member("returnMoment", options.ReturnMoment)
        .Member("progressedAngles", options.ProgressedAngles)
        .Member("relationshipChart", options.RelationshipChart)
        .EndObject();
}

void WriteSeriesRange(JsonWriter& out) {
    out.BeginObject()
        .Member("fromYear", kSeriesRangeFromYear)
        .Member("toYear", kSeriesRangeToYear)
        .Member("fromJulianCenturies", kSeriesRangeFrom)
        .Member("toJulianCenturies", kSeriesRangeTo)
        .EndObject();
}

// Slots first..last of a table, as an array.
template <typename Table>
void WriteSlots(const Table& table, int first, int last, JsonWriter& out) {
    out.BeginArray();
    for (int slot = first; slot <= last; ++slot)
        out.Value(table[slot]);
    out.EndArray();
}

void WriteElements(const Factors& factors, JsonWriter& out) {
    out.BeginObject()
        .Member("fire", factors.FireCount)
        .Member("earth", factors.EarthCount)
        .Member("air", factors.AirCount)
        .Member("water", factors.WaterCount)
        .EndObject();
}

} // namespace

void WriteChartJson(const ProgramState& state, const std::optional<PlaceReport>& place,
                    JsonWriter& out) {
    const ChartFrame& frame = state.frame;
    const Factors& factors = state.factors;
    out.BeginObject();
    WriteRecord(state, place, out.Key("record"));
    WriteOptions(state.options, out.Key("options"));
    out.Member("julianCenturies", frame.JulianCenturies)
        .Member("outsideSeriesRange", !WithinSeriesRange(frame.JulianCenturies));
    WriteSeriesRange(out.Key("seriesRange"));
    out.Member("ramcDeg", LongitudeDegrees(frame.RAMC))
        .Member("obliquityDeg", RadToDeg(frame.Obliquity))
        .Member("latitudeDeg", RadToDeg(frame.Latitude))
        .Member("longitudeWestDeg", frame.LongitudeWest)
        .Member("nutationLongitudeDeg", state.positions.NutationLongitude)
        .Member("lunarNodeDeg", state.positions.LunarNode)
        .Member("houseSystemUndefined", frame.HouseSystemUndefined);
    WriteBodies(state, out.Key("bodies"));
    out.Key("cusps").BeginArray();
    for (int house = 1; house <= 12; ++house)
        out.Value(LongitudeDegrees(frame.HouseCusp[house]));
    out.EndArray();
    WriteElements(factors, out.Key("elements"));
    WriteSlots(factors.FactorHouse, 1, 12, out.Key("sectors"));
    WriteAspects(factors, out.Key("aspects"));
    WriteSlots(factors.FactorStrength, 1, 13, out.Key("strength"));
    out.EndObject();
}

} // namespace astrodesk::cli
