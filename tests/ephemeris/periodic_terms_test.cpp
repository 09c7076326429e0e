#include "ephemeris/coefficient_files.hpp"
#include "ephemeris/periodic_terms.hpp"

#include <cmath>
#include <gtest/gtest.h>

namespace astrodesk {
namespace {

constexpr double kM = 1.234;   // own mean anomaly, radians
constexpr double kMp = -0.567; // perturber's

SeriesState Prepared(double T) {
    SeriesState s(T);
    BuildOwnMultiples(s, kM, 16, -10);
    BuildPerturberMultiples(s, kMp, -10);
    return s;
}

TEST(PeriodicTerms, MultipleTablesHoldTheCosinesAndSinesOfTheMultiples) {
    const SeriesState s = Prepared(0.0);
    for (int k = -10; k <= 16; ++k) {
        EXPECT_NEAR(s.OwnCos[k], std::cos(k * kM), 1e-13) << k;
        EXPECT_NEAR(s.OwnSin[k], std::sin(k * kM), 1e-13) << k;
    }
    SeriesState conjugate(0.0);
    BuildPerturberConjugateMultiples(conjugate, kMp, 2, -6);
    for (int j = -10; j <= 10; ++j)
        EXPECT_NEAR(s.PertCos[j], j > 0 ? 0.0 : std::cos(j * kMp), 1e-13) << j;
    for (int j = -6; j <= 2; ++j)
        EXPECT_NEAR(conjugate.PertSin[j], std::sin(j * kMp), 1e-13) << j;
}

TEST(PeriodicTerms, TimesTRowsReuseTheArgumentOfTheRowBefore) {
    SeriesState s = Prepared(2.0);
    AddTerm(s, 3, -2, 0, 1.0, 2.0, 3.0, 4.0, 5.0, 6.0);
    AddTerm(s, 3, -2, 1, 1.0, 0.0, 0.0, 0.0, 0.0, 0.0); // times T
    AddTerm(s, 9, 9, 2, 0.0, 1.0, 0.0, 0.0, 0.0, 0.0);  // times T², multiples not looked at
    const double c = std::cos(3 * kM - 2 * kMp), si = std::sin(3 * kM - 2 * kMp);
    EXPECT_NEAR(s.SeriesDL, c + 2 * si + 2 * c + 4 * si, 1e-12);
    EXPECT_NEAR(s.SeriesDR, 3 * c + 4 * si, 1e-12);
    EXPECT_NEAR(s.SeriesDB, 5 * c + 6 * si, 1e-12);
}

TEST(PeriodicTerms, DegenerateTerms) {
    SeriesState atZero = Prepared(0.0);
    AddTerm(atZero, 1, -1, 0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0); // zero coefficients
    AddTerm(atZero, 1, -1, 1, 9.0, 9.0, 9.0, 9.0, 9.0, 9.0); // times T at T = 0
    AddTerm(atZero, 1, -1, 1, 9.0, 9.0, 9.0, 9.0, 9.0, 9.0); // ... and its argument stays 0
    EXPECT_EQ(atZero.SeriesDL, 0.0);
    EXPECT_EQ(atZero.TermCos, 0.0);
    EXPECT_EQ(atZero.TermSin, 0.0);

    SeriesState constant = Prepared(0.5);
    AddTerm(constant, 0, 0, 0, 7.0, 100.0, 8.0, 100.0, 9.0, 100.0); // argument 0
    EXPECT_EQ(constant.SeriesDL, 7.0);
    EXPECT_EQ(constant.SeriesDR, 8.0);
    EXPECT_EQ(constant.SeriesDB, 9.0);

    CoefficientTables tables;
    tables.PerturbTable[4] = {0, 0, 0, 1, 1, 1, 1, 1, 1};
    tables.PerturbTable[5] = {0, 0, 0, 1, 1, 1, 1, 1, 1};
    SumPerturbRows(constant, tables, 5, 4); // nothing
    EXPECT_EQ(constant.SeriesDL, 7.0);
    SumPerturbRows(constant, tables, 4, 5);
    EXPECT_EQ(constant.SeriesDL, 9.0);
}

TEST(PeriodicTerms, SineOfTurnsAndMeanAnomalyCountWholeTurns) {
    EXPECT_NEAR(SineOfTurns(1000.25), 1.0, 1e-12);
    EXPECT_NEAR(SineOfTurns(-0.25), -1.0, 1e-12);
    EXPECT_NEAR(MeanAnomaly(0.25, 100.0, 0.0), kTwoPi / 4, 1e-15); // T = 0: the constant a
    EXPECT_NEAR(MeanAnomaly(0.25, 100.0, -0.01), -kTwoPi * 0.75, 1e-12);
}

} // namespace
} // namespace astrodesk
