#pragma once

// The analytical theories of the Sun and the planets Mercury to Pluto, time T in Julian centuries
// from J2000 (JD 2451545.0).
//
// Source: the perturbation series of O. Montenbruck and T. Pfleger, Astronomy on the Personal
// Computer, 3rd ed., Springer 1998: a mean longitude, the equation of the centre as multiples of
// the planet's own mean anomaly M, and periodic terms in k·M + j·M' of one perturbing planet's
// mean anomaly M' at a time, the mean anomalies in revolutions as a + b·T. The Sun's series
// keeps only the three largest terms of the Mars group (see SunTheory).
//
// Each gives geometric ecliptic coordinates referred to the mean ecliptic and equinox of date,
// without light time or aberration: longitude (degrees, 360 × a fraction: between -360 and 360),
// latitude (degrees) and radius (AU). The Sun's are geocentric, the planets' heliocentric. The
// periodic terms come from PerturbTable; a few are written in.
//
// Each theory evaluates up to four moments at once (one per lane, astro/lanes.hpp); the forms
// for one moment run it on one lane and leave the result in PositionTables::TheoryL, TheoryB
// and TheoryR.
//
// The Pluto series is meant for |T| < 1.01 (about 1899 to 2101); beyond, the mean orbit serves.

#include "astro/lanes.hpp"
#include "shell/program_state.hpp"

namespace astrodesk {

// Ecliptic longitude L and latitude B (degrees) and radius R (AU), one moment per lane.
struct LanesPlace {
    Lanes L;
    Lanes B;
    Lanes R;
};

using LanesTheory = void (*)(const Lanes& T, const CoefficientTables& tables, LanesPlace& place);

void SunTheory(const Lanes& T, const CoefficientTables& tables, LanesPlace& place);
void MercuryTheory(const Lanes& T, const CoefficientTables& tables, LanesPlace& place);
void VenusTheory(const Lanes& T, const CoefficientTables& tables, LanesPlace& place);
void MarsTheory(const Lanes& T, const CoefficientTables& tables, LanesPlace& place);
void JupiterTheory(const Lanes& T, const CoefficientTables& tables, LanesPlace& place);
void SaturnTheory(const Lanes& T, const CoefficientTables& tables, LanesPlace& place);
void UranusTheory(const Lanes& T, const CoefficientTables& tables, LanesPlace& place);
void NeptuneTheory(const Lanes& T, const CoefficientTables& tables, LanesPlace& place);
void PlutoTheory(const Lanes& T, const CoefficientTables& tables, LanesPlace& place);

void SunTheory(double T, const CoefficientTables& tables, PositionTables& positions);
void MercuryTheory(double T, const CoefficientTables& tables, PositionTables& positions);
void VenusTheory(double T, const CoefficientTables& tables, PositionTables& positions);
void MarsTheory(double T, const CoefficientTables& tables, PositionTables& positions);
void JupiterTheory(double T, const CoefficientTables& tables, PositionTables& positions);
void SaturnTheory(double T, const CoefficientTables& tables, PositionTables& positions);
void UranusTheory(double T, const CoefficientTables& tables, PositionTables& positions);
void NeptuneTheory(double T, const CoefficientTables& tables, PositionTables& positions);
void PlutoTheory(double T, const CoefficientTables& tables, PositionTables& positions);

// A theory at the one moment T, its result in TheoryL, TheoryB, TheoryR.
inline void AtOneMoment(LanesTheory theory, double T, const CoefficientTables& tables,
                        PositionTables& positions) {
    LanesPlace place;
    theory(Broadcast(T), tables, place);
    positions.TheoryL = place.L[0];
    positions.TheoryB = place.B[0];
    positions.TheoryR = place.R[0];
}

} // namespace astrodesk
