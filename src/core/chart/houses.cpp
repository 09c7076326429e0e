#include "chart/houses.hpp"

#include "astro/angles.hpp"
#include "astro/place_text.hpp"

#include <cmath>

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
// from the meridian, found by ten passes of fixed-point iteration on its right ascension.
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

double SemiArcCuspLongitude(const ChartFrame& frame, const SemiArcCusp& cusp) {
    const double ramc = frame.RAMC;
    const double e = frame.Obliquity;
    const double sign = cusp.belowHorizon ? 1.0 : -1.0;
    const double tanProduct = std::tan(e) * std::tan(frame.Latitude);
    double rightAscension = Reduce2Pi(ramc + DegToRad(cusp.startDegrees));
    for (int pass = 0; pass < 10; ++pass) {
        double semiArc = ArcCosSafe(sign * std::sin(rightAscension) * tanProduct);
        if (semiArc < 0.0) semiArc += kPi;
        rightAscension = cusp.belowHorizon ? (ramc + kPi) - semiArc / cusp.divisor
                                           : ramc + semiArc / cusp.divisor;
    }
    return AngleOf(std::sin(rightAscension), std::cos(rightAscension) * std::cos(e));
}

// Campanus and Regiomontanus: a cusp lies on the circle through the north and south points and
// the point of the equator at the given arc from the meridian (radians). Regiomontanus divides
// the equator into 30-degree arcs; Campanus takes the arcs below the divisions of the prime
// vertical.
double EquatorArcCusp(const ChartFrame& frame, double arc) {
    const double tanPole = std::tan(frame.Latitude) * std::sin(arc);
    return Reduce2Pi(LongitudeAtObliqueAscension(frame.RAMC + arc, tanPole, frame.Obliquity));
}

// Inside the polar circles some ecliptic points never rise or set: their semi-arcs, and with
// them the Placidus and Koch cusps, do not exist.
bool SemiArcsExist(const ChartFrame& frame) {
    return std::abs(frame.Latitude) <= kPi / 2.0 - frame.Obliquity;
}

} // namespace

void ComputeAngles(const ChartRecord& record, ChartFrame& frame, PositionTables& positions) {
    frame.Latitude = LatitudeFromText(record.ChartLatitude);
    frame.LongitudeWest = LongitudeWestFromText(record.ChartLongitude);
    frame.Obliquity = DegToRad(23.452294 - 0.0130125 * frame.JulianCenturies);
    frame.RAMC = DegToRad(SiderealDegrees(frame));

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

void ComputeHouseCusps(const Options& options, ChartFrame& frame) {
    const std::int16_t system = options.HouseSystem;
    frame.HouseSystemUndefined = (system == kPlacidus || system == kKoch) && !SemiArcsExist(frame);
    if (frame.HouseSystemUndefined) {
        EqualHouseCusps(frame);
        return;
    }
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
        PlacidusCusps(frame);
        break;
    case kKoch:
        KochCusps(frame);
        break;
    default:
        break; // no such system: the cusps stay as they were
    }
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

void PlacidusCusps(ChartFrame& frame) {
    frame.HouseCusp[10] = frame.Midheaven;
    frame.HouseCusp[1] = frame.Ascendant;
    frame.HouseCusp[4] = Reduce2Pi(frame.Midheaven + kPi);
    frame.HouseCusp[7] = Reduce2Pi(frame.Ascendant + kPi);
    for (const SemiArcCusp& cusp : kSemiArcCusps) {
        const double longitude = SemiArcCuspLongitude(frame, cusp);
        frame.HouseCusp[cusp.house] = Reduce2Pi(longitude);
        frame.HouseCusp[cusp.opposite] = Reduce2Pi(longitude + kPi);
    }
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
