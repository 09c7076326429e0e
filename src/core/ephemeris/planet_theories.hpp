#pragma once

// The analytical theories of the Sun and the planets Mercury to Pluto: the low-precision series
// of Montenbruck and Pfleger, time T in Julian centuries from J2000 (JD 2451545.0). Each gives
// geometric ecliptic coordinates referred to the mean ecliptic and equinox of date, without light
// time or aberration, in PositionTables::TheoryL (degrees, 360 × a fraction: between -360 and
// 360), TheoryB (degrees) and TheoryR (AU). The Sun's are geocentric, the planets'
// heliocentric. The periodic terms come from PerturbTable; a few are written in.
//
// The Pluto series is meant for |T| < 1.01 (about 1899 to 2101); beyond, the mean orbit serves.

#include "shell/program_state.hpp"

namespace astrodesk {

void SunTheory(double T, const CoefficientTables& tables, PositionTables& positions);
void MercuryTheory(double T, const CoefficientTables& tables, PositionTables& positions);
void VenusTheory(double T, const CoefficientTables& tables, PositionTables& positions);
void MarsTheory(double T, const CoefficientTables& tables, PositionTables& positions);
void JupiterTheory(double T, const CoefficientTables& tables, PositionTables& positions);
void SaturnTheory(double T, const CoefficientTables& tables, PositionTables& positions);
void UranusTheory(double T, const CoefficientTables& tables, PositionTables& positions);
void NeptuneTheory(double T, const CoefficientTables& tables, PositionTables& positions);
void PlutoTheory(double T, const CoefficientTables& tables, PositionTables& positions);

} // namespace astrodesk
