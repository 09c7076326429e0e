#include "chart/houses.hpp"

#include "astro/angles.hpp"
#include "astro/place_text.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <iterator>
#include <optional>
#include <vector>

namespace astrodesk {

namespace {

// Ecliptic longitude of the point whose oblique ascension under a pole of tangent tanPole is
// the given angle (radians): where the house circle through that point meets the ecliptic.
double LongitudeAtObliqueAscension(double obliqueAscension, double tanPole, double obliquity) {
    return AngleOf(std::sin(obliqueAscension), std::cos(obliqueAscension) * std::cos(obliquity) -
                                                   tanPole * std::sin(obliquity));
}

// Local sidereal time as an angle, degrees 0..360, from the mean sidereal time at Greenwich.
double SiderealDegrees(const ChartFrame& frame) {
    const double t = frame.JulianCenturies;
    double degrees =
        15.0 * (6.6460656 + 2400.0513 * t + 0.0000258 * t * t + 24.0 * frame.DayFraction) -
        frame.LongitudeWest;
    return Reduce360(degrees);
}

double VertexLongitude(double ramc, double obliquity, double latitude) {
    const double opposite = ramc + kPi;
    double denominator =
        -std::sin(opposite) * std::cos(obliquity) - std::sin(obliquity) / std::tan(latitude);
    // Keep the Vertex defined where its circle stands on the east-west line.
    if (std::abs(denominator) < 1e-8)
        denominator = denominator < 0.0 ? denominator - 1e-8 : denominator + 1e-8;
    return AngleOf(std::cos(opposite), denominator);
}

// Placidus: the cusp whose ecliptic point has covered the fraction 1/divisor of its semi-arc
// from the meridian: its right ascension x solves x = RAMC + SA(x) / divisor above the horizon
// (SA the diurnal semi-arc) or x = RAMC + 180 - SA(x) / divisor below it (SA the nocturnal one).
struct SemiArcCusp {
    int house;
    double startDegrees; // start of the right ascension, degrees after RAMC
    double divisor;
    bool belowHorizon; // nocturnal semi-arc, counted back from the lower meridian
    int opposite;
};

constexpr SemiArcCusp kSemiArcCusps[] = {
    {11, 30.0, 3.0, false, 5},
    {12, 60.0, 1.5, false, 6},
    {2, 120.0, 1.5, true, 8},
    {3, 150.0, 3.0, true, 9},
};

// A right ascension that solves the cusp's equation to this (radians, 0.1 arcsecond) is taken
// as it is.
constexpr double kSettledRightAscension = 4.8e-7;
// Right ascensions tried across the cusp's range when its equation is solved from scratch:
// 0.8 or 1.7 degrees apart, finer than any two solutions lie.
constexpr int kScanSteps = 72;

class SemiArcEquation {
  public:
    SemiArcEquation(const ChartFrame& frame, const SemiArcCusp& cusp)
        : ramc_(frame.RAMC), cusp_(cusp),
          tanProduct_((cusp.belowHorizon ? 1.0 : -1.0) * std::tan(frame.Obliquity) *
                      std::tan(frame.Latitude)) {}

    // The cosine of the semi-arc of the ecliptic point at right ascension x; beyond +-1 the
    // point never rises or never sets and has no semi-arc.
    double SemiArcCosine(double x) const { return std::sin(x) * tanProduct_; }

    // The semi-arc by the guarded arc cosine, as the iteration takes it.
    double GuardedSemiArc(double x) const {
        double semiArc = ArcCosSafe(SemiArcCosine(x));
        return semiArc < 0.0 ? semiArc + kPi : semiArc;
    }

    // The right ascension the iteration moves x to.
    double Next(double semiArc) const {
        return cusp_.belowHorizon ? (ramc_ + kPi) - semiArc / cusp_.divisor
                                  : ramc_ + semiArc / cusp_.divisor;
    }

    // The start value of the fixed-point iteration, and one pass of it.
    double Start() const { return Reduce2Pi(ramc_ + DegToRad(cusp_.startDegrees)); }
    double Pass(double x) const { return Next(GuardedSemiArc(x)); }

    // x minus where the equation moves it, with the semi-arc taken as 0 or 180 degrees for a
    // point that never rises or never sets: continuous, not above 0 at the start of the range
    // and not below 0 at its end.
    double Residual(double x) const {
        const double semiArc = std::acos(std::clamp(SemiArcCosine(x), -1.0, 1.0));
        return x - Next(semiArc);
    }

    // The solutions whose points have a semi-arc, found by bisection wherever the residual
    // changes sign between neighbouring trials across the range.
    std::vector<double> Solutions() const {
        const double first = cusp_.belowHorizon ? ramc_ + kPi - kPi / cusp_.divisor : ramc_;
        const double step = kPi / cusp_.divisor / kScanSteps;
        std::vector<double> solutions;
        double low = first, lowResidual = Residual(low);
        for (int i = 1; i <= kScanSteps; ++i) {
            const double high = first + i * step, highResidual = Residual(high);
            if ((lowResidual > 0.0) != (highResidual > 0.0)) {
                const double x = Bisected(low, high, lowResidual > 0.0);
                if (std::abs(SemiArcCosine(x)) < 1.0) solutions.push_back(x);
            }
            low = high;
            lowResidual = highResidual;
        }
        return solutions;
    }

  private:
    double Bisected(double low, double high, bool lowPositive) const {
        for (int halving = 0; halving < 64 && high - low > 1e-15; ++halving) {
            const double middle = 0.5 * (low + high);
            ((Residual(middle) > 0.0) == lowPositive ? low : high) = middle;
        }
        return 0.5 * (low + high);
    }

    double ramc_;
    const SemiArcCusp& cusp_;
    double tanProduct_;
};

bool InsidePolarCircle(const ChartFrame& frame) {
    return std::abs(frame.Latitude) > kPi / 2.0 - frame.Obliquity;
}

constexpr std::size_t kSemiArcCuspCount = std::size(kSemiArcCusps);

// Ten passes of fixed-point iteration from each cusp's start value. The cusps go through their
// passes side by side: each pass is a chain of library calls, and the chains of different
// cusps then overlap.
std::array<double, kSemiArcCuspCount> IteratedRightAscensions(const ChartFrame& frame) {
    std::array<double, kSemiArcCuspCount> x{};
    for (std::size_t c = 0; c < kSemiArcCuspCount; ++c)
        x[c] = SemiArcEquation(frame, kSemiArcCusps[c]).Start();
    for (int pass = 0; pass < 10; ++pass)
        for (std::size_t c = 0; c < kSemiArcCuspCount; ++c)
            x[c] = SemiArcEquation(frame, kSemiArcCusps[c]).Pass(x[c]);
    return x;
}

// The right ascension of a Placidus cusp from its iterated one, or nothing where no ecliptic
// point with a semi-arc meets the cusp's condition, or more than one does. The ten passes of
// the iteration settle on the solution at moderate latitudes and are then kept as they are;
// nearer the polar circles, and inside them, they do not settle, and the equation is solved
// outright.
std::optional<double> PlacidusRightAscension(const ChartFrame& frame, const SemiArcCusp& cusp,
                                             double iterated) {
    const SemiArcEquation equation(frame, cusp);
    const bool settled = std::abs(equation.SemiArcCosine(iterated)) < 1.0 &&
                         std::abs(equation.Residual(iterated)) < kSettledRightAscension;
    if (settled && !InsidePolarCircle(frame)) return iterated;
    const std::vector<double> solutions = equation.Solutions();
    if (solutions.size() != 1) return std::nullopt;
    const bool sameSolution =
        std::abs(std::remainder(iterated - solutions.front(), kTwoPi)) < kSettledRightAscension;
    return settled && sameSolution ? iterated : solutions.front();
}

// Campanus and Regiomontanus: a cusp lies on the circle through the north and south points and
// the point of the equator at the given arc from the meridian (radians). Regiomontanus divides
// the equator into 30-degree arcs; Campanus takes the arcs below the divisions of the prime
// vertical.
double EquatorArcCusp(const ChartFrame& frame, double arc) {
    const double tanPole = std::tan(frame.Latitude) * std::sin(arc);
    return Reduce2Pi(LongitudeAtObliqueAscension(frame.RAMC + arc, tanPole, frame.Obliquity));
}

// At the geographic pole the horizon is the equator: it has no north and south points through
// which the house circles of Campanus and Regiomontanus pass, no ecliptic point rises or sets
// for Placidus, and the Midheaven's ascensional difference of Koch is that of an infinite
// latitude.
bool AtGeographicPole(const ChartFrame& frame) {
    return std::abs(frame.Latitude) >= kPi / 2.0 - 1e-9;
}

// Midheaven, Ascendant and Vertex from RAMC, Obliquity and Latitude, also into slots 17..19.
void SetAnglesFromRAMC(ChartFrame& frame, PositionTables& positions) {
    const double ramc = frame.RAMC;
    const double e = frame.Obliquity;
    frame.Midheaven = AngleOf(std::sin(ramc), std::cos(ramc) * std::cos(e));
    frame.Ascendant = AngleOf(
        std::cos(ramc), -(std::sin(ramc) * std::cos(e) + std::tan(frame.Latitude) * std::sin(e)));
    frame.Vertex = VertexLongitude(ramc, e, frame.Latitude);

    positions.BodyLongitude[17] = frame.Midheaven;
    positions.BodyLongitude[18] = frame.Ascendant;
    positions.BodyLongitude[19] = frame.Vertex;
}

} // namespace

void ComputeAngles(const ChartRecord& record, ChartFrame& frame, PositionTables& positions) {
    frame.Latitude = LatitudeFromText(record.ChartLatitude);
    frame.LongitudeWest = LongitudeWestFromText(record.ChartLongitude);
    frame.Obliquity = DegToRad(23.452294 - 0.0130125 * frame.JulianCenturies);
    frame.RAMC = DegToRad(SiderealDegrees(frame));
    SetAnglesFromRAMC(frame, positions);
}

void SetAnglesFromMidheaven(double midheaven, ChartFrame& frame, PositionTables& positions) {
    // Right ascension of an ecliptic point (latitude 0): tan RA = cos e tan longitude.
    frame.RAMC = AngleOf(std::sin(midheaven) * std::cos(frame.Obliquity), std::cos(midheaven));
    SetAnglesFromRAMC(frame, positions);
}

void ComputeHouseCusps(const Options& options, ChartFrame& frame) {
    const std::int16_t system = options.HouseSystem;
    bool defined = true;
    switch (system) {
    case kEqualHouse:
        EqualHouseCusps(frame);
        break;
    case kCampanus:
        CampanusCusps(frame);
        break;
    case kRegiomontanus:
        RegiomontanusCusps(frame);
        break;
    case kPlacidus:
        defined = PlacidusCusps(frame);
        break;
    case kKoch:
        KochCusps(frame);
        break;
    default:
        frame.HouseSystemUndefined = false;
        return; // no such system: the cusps stay as they were
    }
    frame.HouseSystemUndefined = !defined || (system != kEqualHouse && AtGeographicPole(frame));
    if (frame.HouseSystemUndefined) EqualHouseCusps(frame);
}

void EqualHouseCusps(ChartFrame& frame) {
    frame.HouseCusp[1] = frame.Ascendant;
    for (int i = 1; i <= 11; ++i)
        frame.HouseCusp[i + 1] = Reduce2Pi(frame.Ascendant + i * kPi / 6.0);
}

void CampanusCusps(ChartFrame& frame) {
    for (int i = 1; i <= 12; ++i) {
        // The prime vertical is divided into 30-degree arcs; the 0.00005 degree keeps the
        // tangent of the arc finite at its multiples of 90 degrees.
        const double verticalArc = DegToRad(30.0 * i + 60.00005);
        const double equatorArc =
            AngleOf(std::sin(verticalArc) * std::cos(frame.Latitude), std::cos(verticalArc));
        frame.HouseCusp[i] = EquatorArcCusp(frame, equatorArc);
    }
}

void RegiomontanusCusps(ChartFrame& frame) {
    for (int i = 1; i <= 12; ++i)
        frame.HouseCusp[i] = EquatorArcCusp(frame, DegToRad(30.0 * i + 60.0));
}

bool PlacidusCusps(ChartFrame& frame) {
    frame.HouseCusp[10] = frame.Midheaven;
    frame.HouseCusp[1] = frame.Ascendant;
    frame.HouseCusp[4] = Reduce2Pi(frame.Midheaven + kPi);
    frame.HouseCusp[7] = Reduce2Pi(frame.Ascendant + kPi);
    bool defined = true;
    const std::array<double, kSemiArcCuspCount> iterated = IteratedRightAscensions(frame);
    for (std::size_t c = 0; c < kSemiArcCuspCount; ++c) {
        const SemiArcCusp& cusp = kSemiArcCusps[c];
        const std::optional<double> found = PlacidusRightAscension(frame, cusp, iterated[c]);
        defined = defined && found.has_value();
        const double x = found.value_or(iterated[c]);
        const double longitude = AngleOf(std::sin(x), std::cos(x) * std::cos(frame.Obliquity));
        frame.HouseCusp[cusp.house] = Reduce2Pi(longitude);
        frame.HouseCusp[cusp.opposite] = Reduce2Pi(longitude + kPi);
    }
    return defined;
}

void KochCusps(ChartFrame& frame) {
    const double e = frame.Obliquity;
    const double tanLatitude = std::tan(frame.Latitude);
    // Ascensional difference of the Midheaven degree under the place's pole, degrees.
    const double midheavenDifference =
        RadToDeg(ArcSinSafe(std::sin(frame.RAMC) * tanLatitude * std::tan(e)));
    const double ramcDegrees = RadToDeg(frame.RAMC);
    for (int i = 1; i <= 12; ++i) {
        // Distance from the upper meridian (house 10 at 0, house 1 at 90 degrees); houses 4
        // to 9 take the opposite pole, so that each cusp is opposite its partner.
        const double fromMeridian = Reduce360(30.0 * i + 60.0);
        const bool eastern = fromMeridian < 180.0;
        const double share = eastern ? fromMeridian / 90.0 - 1.0 : fromMeridian / 90.0 - 3.0;
        const double obliqueAscension =
            DegToRad(Reduce360(fromMeridian + ramcDegrees + midheavenDifference * share));
        const double tanPole = eastern ? tanLatitude : -tanLatitude;
        frame.HouseCusp[i] = LongitudeAtObliqueAscension(obliqueAscension, tanPole, e);
    }
}

} // namespace astrodesk
