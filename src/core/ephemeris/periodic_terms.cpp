#include "ephemeris/periodic_terms.hpp"

#include "ephemeris/coefficient_files.hpp"

namespace astrodesk {

void BuildOwnMultiples(SeriesState& s, double M, int highest, int lowest) {
    s.OwnCos[0] = 1.0;
    s.OwnSin[0] = 0.0;
    const Rotation own = SinCos(M);
    s.OwnCos[1] = own.RotCos;
    s.OwnSin[1] = own.RotSin;
    for (int k = 2; k <= highest; ++k) {
        const Rotation next = AddAngles(s.OwnCos[k - 1], s.OwnSin[k - 1], s.OwnCos[1], s.OwnSin[1]);
        s.OwnCos[k] = next.RotCos;
        s.OwnSin[k] = next.RotSin;
    }
    for (int k = -1; k >= lowest; --k) {
        s.OwnCos[k] = s.OwnCos[-k];
        s.OwnSin[k] = -s.OwnSin[-k];
    }
}

void StepPerturberDown(SeriesState& s, int j, int lowest, Rotation step) {
    for (; j > lowest; --j) {
        const Rotation next = AddAngles(s.PertCos[j], s.PertSin[j], step.RotCos, step.RotSin);
        s.PertCos[j - 1] = next.RotCos;
        s.PertSin[j - 1] = next.RotSin;
    }
}

void BuildPerturberMultiples(SeriesState& s, Rotation perturber, int lowest) {
    s.PertCos[0] = 1.0;
    s.PertSin[0] = 0.0;
    s.PertCos[-1] = perturber.RotCos;
    s.PertSin[-1] = -perturber.RotSin;
    StepPerturberDown(s, -1, lowest, {s.PertCos[-1], s.PertSin[-1]});
}

void BuildPerturberConjugateMultiples(SeriesState& s, Rotation perturber, int highest, int lowest) {
    s.PertCos[0] = 1.0;
    s.PertSin[0] = 0.0;
    s.PertCos[1] = perturber.RotCos;
    s.PertSin[1] = perturber.RotSin;
    if (highest == 2) {
        const Rotation twice = AddAngles(s.PertCos[1], s.PertSin[1], s.PertCos[1], s.PertSin[1]);
        s.PertCos[2] = twice.RotCos;
        s.PertSin[2] = twice.RotSin;
    }
    StepPerturberDown(s, 0, lowest, {s.PertCos[1], -s.PertSin[1]});
}

void SumPerturbRows(SeriesState& s, const CoefficientTables& tables, int first, int last) {
    // Summed in a local copy that stays in registers: the compiler cannot tell that the rows lie
    // apart from the state, and would store the sums back after every row.
    SeriesSums sums = s;
    for (int i = first; i <= last; ++i) {
        const auto& [index, coef] = FetchPerturbRow(tables, i);
        AddTerm(s, sums, index[0], index[1], index[2], coef[0], coef[1], coef[2], coef[3], coef[4],
                coef[5]);
    }
    static_cast<SeriesSums&>(s) = sums;
}

void SumPerturbGroup(SeriesState& s, const CoefficientTables& tables, Rotation perturber,
                     int lowest, int first, int last) {
    BuildPerturberMultiples(s, perturber, lowest);
    SumPerturbRows(s, tables, first, last);
}

} // namespace astrodesk
