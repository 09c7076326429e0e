#include "ephemeris/body_theory.hpp"

#include "ephemeris/mean_orbits.hpp"
#include "ephemeris/planet_theories.hpp"

#include <array>
#include <cmath>

namespace astrodesk {

namespace {

void EarthFromSun(const Lanes& T, const CoefficientTables& tables, LanesBody& body) {
    SunTheory(T, tables, body.place);
    Lanes longitude = body.place.L;
    longitude = Select(longitude < 0.0, longitude + 360.0, longitude) + 180.0;
    body.place.L = Select(longitude > 360.0, longitude - 360.0, longitude);
    body.place.B = -body.place.B;
}

void Pluto(const Lanes& T, const CoefficientTables& tables, LanesBody& body) {
    const Lanes magnitude = Select(T < 0.0, -T, T);
    body.fromMeanOrbit = ~(magnitude < kPlutoSeriesRange);
    if (AnyLane(~body.fromMeanOrbit)) PlutoTheory(T, tables, body.place);
    if (!AnyLane(body.fromMeanOrbit)) return;
    LanesPlace orbitPlace;
    PlutoMeanOrbit(T, orbitPlace, body.orbit);
    body.place = {Select(body.fromMeanOrbit, orbitPlace.L, body.place.L),
                  Select(body.fromMeanOrbit, orbitPlace.B, body.place.B),
                  Select(body.fromMeanOrbit, orbitPlace.R, body.place.R)};
}

void Zed(const Lanes& T, const CoefficientTables&, LanesBody& body) {
    ZedOrbit(T, body.place, body.orbit);
    body.fromMeanOrbit = ~LaneMask{}; // every lane
}

// A series theory, its place only.
template <LanesTheory theory>
void Series(const Lanes& T, const CoefficientTables& tables, LanesBody& body) {
    theory(T, tables, body.place);
}

using BodyTheory = void (*)(const Lanes&, const CoefficientTables&, LanesBody&);

constexpr std::array<BodyTheory, 11> kBodyTheories = {
    Series<SunTheory>,
    Series<MercuryTheory>,
    Series<VenusTheory>,
    EarthFromSun,
    Series<MarsTheory>,
    Series<JupiterTheory>,
    Series<SaturnTheory>,
    Series<UranusTheory>,
    Series<NeptuneTheory>,
    Pluto,
    Zed,
};

} // namespace

void RunBodyTheory(int k, const Lanes& T, const CoefficientTables& tables, LanesBody& body) {
    body.fromMeanOrbit = LaneMask{};
    kBodyTheories.at(static_cast<std::size_t>(k))(T, tables, body);
}

void RunBodyTheory(int k, double T, const CoefficientTables& tables, PositionTables& positions) {
    LanesBody body;
    RunBodyTheory(k, Broadcast(T), tables, body);
    positions.TheoryL = body.place.L[0];
    positions.TheoryB = body.place.B[0];
    positions.TheoryR = body.place.R[0];
    if (body.fromMeanOrbit[0]) {
        positions.HelioX[k] = body.orbit.x[0];
        positions.HelioY[k] = body.orbit.y[0];
        positions.HelioZ[k] = body.orbit.z[0];
    }
}

} // namespace astrodesk
