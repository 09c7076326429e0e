#pragma once

// The program-wide state: one chart at a time, its record, the options and every table the
// computation leaves behind. Procedures receive the groups they read or write explicitly.
//
// Units and ranges follow the program's conventions: angles inside the computation are radians
// unless a name says degrees; geographic longitude is degrees, west positive; time arguments
// are Julian centuries of 36525 days. Display tables keep their 1-based slots (index 0 unused).

#include "shell/indexed_array.hpp"

#include <array>
#include <cstdint>
#include <memory>
#include <string>

namespace astrodesk {

// Texts as the user typed them on the entry form.
struct ChartRecord {
    std::string ChartName;      // whole name; the entry form shows 25 characters, the listing 23
    std::string ChartDate;      // "DD-MM-YYYY" at rest, "DDMMYYYY" while a chart is computed
    std::string ChartTime;      // Greenwich time "HH:MM:SS" at rest, "HHMMSS" while computed
    std::string ChartLatitude;  // "DDSMM", for example "53N28" (hemisphere letter as typed)
    std::string ChartLongitude; // "DDDSMM", for example "002W13"
    std::string EraText;        // "A.D." or "B.C." (empty at start-up)
    std::int16_t ChartEra = 0;  // 0 = A.D., 1 = B.C.
};

// Option codes chosen on the option pages, the printer questions and the main menu.
struct Options {
    std::int16_t CentreBody = 3;    // internal body index 0..10 of the observer (3 = Earth)
    std::int16_t OrbDegrees = 6;    // aspect orb, whole degrees 0..10
    std::int16_t HouseSystem = 0;   // 0 Equal, 1 Campanus, 2 Regiomontanus, 3 Placidus, 4 Koch
    std::int16_t ClockOn = 1;       // 1 = the entry form follows the system clock
    std::int16_t MapArea = 0;       // 0 Europe .. 8 Polar Area
    std::int16_t MapType = 0;       // 0 Local Space, 1 Cartography, 2 Planet Lines
    std::int16_t MapProjection = 0; // 0 Gnomic, 1 Cylindrical
    std::int16_t Technique = 0;    // 0 Natal, 1 Progressions, 2 Transits, 3 Directions, 4 Solar and
                                   // 5 lunar returns
    std::int16_t Zodiac = 0;       // 0 Tropical, 1 Precessed
    std::int16_t TimesArrow = 0;   // 0 Direct, 1 Converse
    std::int16_t ReturnMoment = 0; // solar returns: 0 where the Sun comes back, 1 mean years
    std::int16_t ProgressedAngles = 0;  // progressions: 0 of the progressed moment, 1 solar arc
    std::int16_t RelationshipChart = 0; // 1 = relationship chart
    std::int16_t HardCopy = 0;          // 1 = the interpretation also goes to the printer
    std::int16_t PrintScreenKey = 0;    // 1 = graphics are printed with the PrintScreen key
    std::int16_t MenuChoice = 0;        // main-menu choice last actioned (6, 7, 9 pick the page)
};

// Copies the chart driver makes at the start of each computation.
struct WorkingCopies {
    std::int16_t ChartCentre = 0; // copy of CentreBody; all position code reads this copy
    double ChartEraFlag = 0.0;    // 1.0 = B.C.
    double HardCopyOn = 0.0;      // 1.0 = also print on the printer
    std::int16_t ChartReady = 0;  // 1 once the chart driver has run
};

// Centre code (internal body index) of the Earth: a geocentric chart.
inline constexpr std::int16_t kGeocentricCentre = 3;

// Display slot of the chart's centre body: its own slot (centre + 2), or the Sun's slot 1 for a
// heliocentric chart. In a computed chart this slot holds the Ascendant.
constexpr int CentreSlot(std::int16_t chartCentre) {
    return chartCentre == 0 ? 1 : chartCentre + 2;
}

// Three-letter codes and nine-character names of display slots 1..15.
struct BodyTables {
    IndexedArray<std::string, 1, 15> BodyAbbrev;
    IndexedArray<std::string, 1, 15> BodyName;
};

// Time argument, place, sidereal frame, angles, cusps, nutation and precession of the chart.
struct ChartFrame {
    double JulianCenturies = 0.0; // from JD 2415020.0 after the day count; from JD 2451545.0
                                  // once the driver has subtracted 1.0
    double DayFraction = 0.0;     // fraction of the Greenwich day, 0 to just under 1
    double DayFractionCopy = 0.0; // the same, kept for the relationship chart
    double Latitude = 0.0;        // radians, north positive; exactly 0 becomes 1e-8
    double LongitudeWest = 0.0;   // degrees, west positive
    double Obliquity = 0.0;       // radians, mean obliquity of the chart's date
    double RAMC = 0.0;            // radians, 0 <= RAMC < 2 pi
    double Midheaven = 0.0;       // radians, ecliptic longitude 0..2 pi
    double Ascendant = 0.0;       // radians, ecliptic longitude 0..2 pi
    double Vertex = 0.0;          // radians, ecliptic longitude 0..2 pi
    IndexedArray<double, 0, 12> HouseCusp{}; // radians; cusp of house n in slot n, slot 0 unused
    // True when the chosen house system does not exist at the chart's latitude (the semi-arcs
    // of Placidus and Koch vanish inside the polar circles) and equal houses were used instead.
    bool HouseSystemUndefined = false;

    double Obliquity2000 = 0.0;  // radians, mean obliquity by the J2000 formula
    double SunMeanAnomaly = 0.0; // radians
    double PrecessFromT = 0.0;   // centuries from J2000: start epoch of the precession
    double PrecessSpanT = 0.0;   // centuries: span of the precession
};

// Position tables filled by the theories and the chart driver.
struct PositionTables {
    // Result of the last body theory: ecliptic longitude and latitude (degrees), radius (AU;
    // Earth radii for the Moon).
    double TheoryL = 0.0;
    double TheoryB = 0.0;
    double TheoryR = 0.0;

    // Per internal body index 0..10: 0 the Sun seen from the Earth, 3 the Earth seen from the
    // Sun, the others heliocentric; ecliptic and mean equinox of date.
    IndexedArray<double, 0, 20> HelioLongitude{}; // degrees (unlike BodyLongitude below)
    IndexedArray<double, 0, 20> HelioLatitude{};  // degrees
    IndexedArray<double, 0, 10> HelioDistance{};  // AU
    IndexedArray<double, 0, 10> HelioX{};         // rectangular, AU
    IndexedArray<double, 0, 10> HelioY{};
    IndexedArray<double, 0, 10> HelioZ{};

    // Apparent places seen from the centre body, radians. During the computation: internal
    // indices 0 (Moon) and 1..10, and 17 Midheaven, 18 Ascendant, 19 Vertex; afterwards the
    // display slots 1..15 (the centre body's slot holds the Ascendant).
    IndexedArray<double, 0, 20> BodyLongitude{};
    IndexedArray<double, 0, 20> BodyLatitude{};
    IndexedArray<double, 0, 12> BodyDistance{};      // AU from the centre body
    IndexedArray<std::int16_t, 0, 12> BodyMotion{};  // 0 direct, 1 R, 2 SR, 3 SD
    IndexedArray<double, 0, 32> PassLongitude{};     // radians; body k at pass p: index k + 11 p
    IndexedArray<std::string, 1, 15> PositionText{}; // first 15 characters of each longitude

    double MoonLongitude = 0.0; // degrees 0..360, geocentric, nutation added by the driver
    double MoonLatitude = 0.0;  // degrees
    double LunarNode = 0.0;     // mean node: radians from the nutation, degrees after the driver
    double NutationLongitude = 0.0; // degrees

    double RelX = 0.0; // AU, ecliptic of date: vector from the centre body to the body placed
    double RelY = 0.0;
    double RelZ = 0.0;

    // Heliocentric motion rates of bodies 1..9: longitude and latitude in radians per Julian
    // century, radius in AU per Julian century (the positions above are in degrees and AU).
    IndexedArray<double, 0, 10> RateLongitude{};
    IndexedArray<double, 0, 10> RateLatitude{};
    IndexedArray<double, 0, 10> RateRadius{};
};

// A row of PerturbTable as the series sum it: the multiples k and j and the times-T flag rounded
// to whole numbers, then the cosine and sine coefficients of longitude, radius and latitude.
struct PerturbRow {
    std::array<std::int16_t, 3> PerturbRowIndex{};
    std::array<double, 6> PerturbRowCoef{};
};

// A row of MoonTable as the lunar series sums it: the coefficients of longitude, DS, the latitude
// factor and the parallax, then the multipliers of l, l', F and D rounded to whole numbers.
struct MoonRow {
    std::array<double, 4> MoonRowCoef{};
    std::array<std::int16_t, 4> MoonTermIndex{};
};

// The periodic-term coefficients read at start-up, in single precision as stored, and the same
// rows converted once by the loader for the theories.
struct CoefficientTables {
    IndexedArray<std::array<float, 9>, 0, 502> PerturbTable{};
    IndexedArray<std::array<float, 8>, 0, 103> MoonTable{};
    IndexedArray<PerturbRow, 0, 502> PerturbRows{};
    IndexedArray<MoonRow, 0, 103> MoonRows{};
};

// The coefficient tables of a program state. They are read once and never change after, so the
// copies of a state (one per worker of a batch) share one instance read-only instead of copying
// 50 kB each; loading tables into a state gives it a new instance and leaves the others theirs.
class SharedCoefficientTables {
  public:
    SharedCoefficientTables() : tables_(std::make_shared<const CoefficientTables>()) {}
    // Implicit: a state takes the tables as they were loaded.
    SharedCoefficientTables(CoefficientTables tables)
        : tables_(std::make_shared<const CoefficientTables>(std::move(tables))) {}
    operator const CoefficientTables&() const { return *tables_; }
    const CoefficientTables& Tables() const { return *tables_; }
    bool SameInstanceAs(const SharedCoefficientTables& other) const {
        return tables_ == other.tables_;
    }

  private:
    std::shared_ptr<const CoefficientTables> tables_;
};

// Interpretation factors of slots 1..12 (slot 13 carries no point and makes no aspect).
struct Factors {
    IndexedArray<double, 0, 13> FactorLon{};         // degrees
    IndexedArray<std::int16_t, 0, 13> FactorSign{};  // 1 Aries .. 12 Pisces
    IndexedArray<std::int16_t, 0, 13> FactorHouse{}; // 30-degree sector from the centre slot
    double FireCount = 0.0; // factors in the fire signs (a count, held as a double)
    double EarthCount = 0.0;
    double AirCount = 0.0;
    double WaterCount = 0.0;
    IndexedArray<std::int16_t, 0, 13> FactorStrength{}; // number of aspects of each slot
    IndexedArray<std::int16_t, 0, 78> AspectCode{};     // 10 x type + stars per pair (i < j)
};

// The five chart texts and the era of a remembered chart.
struct SavedRecord {
    std::string ChartName;
    std::string ChartDate;
    std::string ChartTime;
    std::string ChartLongitude;
    std::string ChartLatitude;
    std::int16_t ChartEra = 0;
};

// Charts remembered for the techniques and the relationship chart.
struct Snapshots {
    SavedRecord NatalRecord;
    double NatalT = 0.0;         // centuries from JD 2415020.0
    double NatalAscendant = 0.0; // radians
    double NatalMidheaven = 0.0;
    double NatalVertex = 0.0;
    double NatalLatitude = 0.0;      // radians
    double NatalLongitudeWest = 0.0; // degrees, west positive
    SavedRecord RelationshipRecord;
    double RelT = 0.0;              // centuries from JD 2415020.0
    bool RelationshipTaken = false; // a relationship chart has been computed in this run
};

// The outline records of the map file read last: the first and second value of records 1..3234
// (latitude and west longitude in hundredths of a degree, or gnomic plane coordinates in units of
// 1/D). They stay for the whole run, so that a map of the same file reads nothing.
struct MapTables {
    IndexedArray<std::int16_t, 1, 3234> MapCoord1{};
    IndexedArray<std::int16_t, 1, 3234> MapCoord2{};
    std::string LoadedMapFile; // name of the file the tables hold; empty at start-up
};

struct ProgramState {
    std::string ProductBanner = "ASTRODESK 1.0";
    ChartRecord record;
    Options options;
    WorkingCopies working;
    BodyTables bodies;
    ChartFrame frame;
    PositionTables positions;
    SharedCoefficientTables coefficients;
    Factors factors;
    Snapshots snapshots;
    MapTables maps;
};

} // namespace astrodesk
