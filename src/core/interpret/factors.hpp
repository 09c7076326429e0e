#pragma once

// The interpretation factors of a computed chart: the longitudes of display slots 1..12 in
// degrees, their signs, their 30-degree sectors counted from the centre body's slot, the number
// of factors in each element, and the aspects between every pair of factor slots 1..12 with a
// grade of one to three stars. Slot 13 carries no point and makes no aspect.

#include "shell/program_state.hpp"

#include <cstdint>
#include <string_view>

namespace astrodesk {

// Aspect types 1..9 in the order they are tested; AspectCode holds 10 x type + stars.
inline constexpr int kAspectTypes = 9;
// "CONJUNCTION", "OPPOSITION", "TRINE", "SQUARE", "SEXTILE", "SEMISEXTILE", "INCONJUNCT",
// "SEMISQUARE", "SESQUISQUARE" for types 1..9; empty for any other number.
std::string_view AspectName(int type);
// The exact angle of aspect type 1..9 (degrees 0..180), and its orb for an orb option (whole
// degrees): the separations a chart counts as the aspect lie less than the orb from the angle.
double AspectAngle(int type);
double AspectOrb(int type, std::int16_t orbDegrees);

// Entry 1..78 of AspectCode for the factor slots i < j (1..13), pairs taken i first: (1, 2) is
// 1, (1, 13) is 12, (2, 3) is 13, (12, 13) is 78.
constexpr int AspectIndex(int i, int j) {
    return (i - 1) * 13 - (i - 1) * i / 2 + (j - i);
}

// Fills FactorLon, FactorSign and FactorHouse of slots 1..12 from the display slots' longitudes
// (radians), and the four element counts. Sectors count from the slot of ChartCentre, which is
// itself in sector 1. Slot 13 is left as it is.
void ComputeFactors(const PositionTables& positions, std::int16_t ChartCentre, Factors& factors);

// Finds the aspect of every pair of FactorLon slots 1..12 within the orbs that OrbDegrees
// (whole degrees) sets, fills AspectCode (0 for the pairs with slot 13) and counts each slot's
// aspects in FactorStrength.
void ComputeAspects(Factors& factors, std::int16_t OrbDegrees);

} // namespace astrodesk
