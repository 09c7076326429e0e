#include "interpret/factors.hpp"

#include "astro/angles.hpp"

#include <array>
#include <cmath>

namespace astrodesk {

namespace {

// Slots with a body (or the centre's Ascendant). Slot 13 carries no point: its pairs are no
// aspects, so that each strength counts only aspects the reading can show.
constexpr int kFactorSlots = 12;

// An aspect's exact angle, and its orb as a fraction of the orb option: orbNumerator x orb /
// orbDenominator degrees.
struct AspectType {
    std::string_view name;
    double angle; // degrees
    int orbNumerator;
    double orbDenominator;
};

constexpr std::array<AspectType, kAspectTypes> kAspects{{
    {"CONJUNCTION", 0.0, 2, 1.0},
    {"OPPOSITION", 180.0, 1, 1.0},
    {"TRINE", 120.0, 2, 3.0},
    {"SQUARE", 90.0, 1, 2.0},
    {"SEXTILE", 60.0, 1, 3.0},
    {"SEMISEXTILE", 30.0, 1, 6.0},
    {"INCONJUNCT", 150.0, 1, 6.0},
    {"SEMISQUARE", 45.0, 1, 4.0},
    {"SESQUISQUARE", 135.0, 1, 4.0},
}};

// Sign or sector number 1..12 of an angle of 0..360 degrees, 30 degrees each. An angle that
// rounding has brought to 360 stays in the twelfth.
std::int16_t ThirtyDegreeSector(double degrees) {
    const double sector = std::floor(degrees / 30.0) + 1.0;
    return static_cast<std::int16_t>(std::fmax(std::fmin(sector, 12.0), 1.0));
}

// The deviations from an aspect's exact angle that earn three, two and one star: within a
// quarter of its orb, within half, within the orb (degrees).
struct StarLimits {
    double three, two, one;

    int Stars(double deviation) const {
        if (deviation < three) return 3;
        if (deviation < two) return 2;
        if (deviation < one) return 1;
        return 0;
    }
};

// The limits of aspect types 1..9 (at index type - 1) for an orb option, worked out once for
// all pairs.
std::array<StarLimits, kAspectTypes> AspectStarLimits(std::int16_t orbDegrees) {
    std::array<StarLimits, kAspectTypes> limits;
    for (int type = 1; type <= kAspectTypes; ++type) {
        const double orb = AspectOrb(type, orbDegrees);
        limits[static_cast<std::size_t>(type - 1)] = {orb / 4.0, orb / 2.0, orb};
    }
    return limits;
}

// 10 x type + stars of the last aspect type whose orb holds the separation, or 0.
std::int16_t PairAspectCode(double separation, const std::array<StarLimits, kAspectTypes>& limits) {
    for (int type = kAspectTypes; type >= 1; --type) {
        const auto k = static_cast<std::size_t>(type - 1);
        const int stars = limits[k].Stars(std::abs(separation - kAspects[k].angle));
        if (stars > 0) return static_cast<std::int16_t>(10 * type + stars);
    }
    return 0;
}

void CountElements(Factors& factors) {
    factors.FireCount = factors.EarthCount = factors.AirCount = factors.WaterCount = 0.0;
    for (int slot = 1; slot <= kFactorSlots; ++slot) {
        switch (factors.FactorSign[slot] % 4) {
        case 1: // Aries, Leo, Sagittarius
            ++factors.FireCount;
            break;
        case 2: // Taurus, Virgo, Capricorn
            ++factors.EarthCount;
            break;
        case 3: // Gemini, Libra, Aquarius
            ++factors.AirCount;
            break;
        default: // Cancer, Scorpio, Pisces
            ++factors.WaterCount;
            break;
        }
    }
}

} // namespace

std::string_view AspectName(int type) {
    if (type < 1 || type > kAspectTypes) return {};
    return kAspects[static_cast<std::size_t>(type - 1)].name;
}

double AspectAngle(int type) {
    return kAspects[static_cast<std::size_t>(type - 1)].angle;
}

double AspectOrb(int type, std::int16_t orbDegrees) {
    const AspectType& aspect = kAspects[static_cast<std::size_t>(type - 1)];
    return aspect.orbNumerator * orbDegrees / aspect.orbDenominator;
}

void ComputeFactors(const PositionTables& positions, std::int16_t ChartCentre, Factors& factors) {
    for (int slot = 1; slot <= kFactorSlots; ++slot) {
        factors.FactorLon[slot] = LongitudeDegrees(positions.BodyLongitude[slot]);
        factors.FactorSign[slot] = ThirtyDegreeSector(factors.FactorLon[slot]);
    }
    const double centreLongitude = factors.FactorLon[CentreSlot(ChartCentre)];
    for (int slot = 1; slot <= kFactorSlots; ++slot) {
        double fromCentre = factors.FactorLon[slot] - centreLongitude;
        if (fromCentre < 0.0) fromCentre += 360.0;
        factors.FactorHouse[slot] = ThirtyDegreeSector(fromCentre);
    }
    CountElements(factors);
}

void ComputeAspects(Factors& factors, std::int16_t OrbDegrees) {
    factors.FactorStrength.fill(0);
    factors.AspectCode.fill(0);
    const std::array<StarLimits, kAspectTypes> limits = AspectStarLimits(OrbDegrees);
    for (int i = 1; i < kFactorSlots; ++i) {
        for (int j = i + 1; j <= kFactorSlots; ++j) {
            double separation = std::abs(factors.FactorLon[i] - factors.FactorLon[j]);
            if (separation > 180.0) separation = 360.0 - separation;
            const std::int16_t code = PairAspectCode(separation, limits);
            factors.AspectCode[AspectIndex(i, j)] = code;
            if (code > 0) {
                ++factors.FactorStrength[i];
                ++factors.FactorStrength[j];
            }
        }
    }
}

} // namespace astrodesk
