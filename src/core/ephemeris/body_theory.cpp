#include "ephemeris/body_theory.hpp"

#include "ephemeris/mean_orbits.hpp"
#include "ephemeris/planet_theories.hpp"

#include <array>
#include <cmath>

namespace astrodesk {

namespace {

void EarthFromSun(double T, const CoefficientTables& tables, PositionTables& positions) {
    SunTheory(T, tables, positions);
    double longitude = positions.TheoryL < 0.0 ? positions.TheoryL + 360.0 : positions.TheoryL;
    longitude += 180.0;
    if (longitude > 360.0) longitude -= 360.0;
    positions.TheoryL = longitude;
    positions.TheoryB = -positions.TheoryB;
}

void Pluto(double T, const CoefficientTables& tables, PositionTables& positions) {
    if (std::abs(T) < kPlutoSeriesRange)
        PlutoTheory(T, tables, positions);
    else
        PlutoMeanOrbit(T, positions);
}

void Zed(double T, const CoefficientTables&, PositionTables& positions) {
    ZedOrbit(T, positions);
}

using BodyTheory = void (*)(double, const CoefficientTables&, PositionTables&);

constexpr std::array<BodyTheory, 11> kBodyTheories = {
    SunTheory,    MercuryTheory, VenusTheory,   EarthFromSun, MarsTheory, JupiterTheory,
    SaturnTheory, UranusTheory,  NeptuneTheory, Pluto,        Zed,
};

} // namespace

void RunBodyTheory(int k, double T, const CoefficientTables& tables, PositionTables& positions) {
    kBodyTheories.at(static_cast<std::size_t>(k))(T, tables, positions);
}

} // namespace astrodesk
