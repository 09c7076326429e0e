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
    BuildPerturberMultiples(s, SinCos(kMp), -10);
    return s;
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
    tables.PerturbRows[4] = {{0, 0, 0}, {1, 1, 1, 1, 1, 1}};
    tables.PerturbRows[5] = tables.PerturbRows[4];
    SumPerturbRows(constant, tables, 5, 4); // nothing
    EXPECT_EQ(constant.SeriesDL, 7.0);
    SumPerturbRows(constant, tables, 4, 5);
    EXPECT_EQ(constant.SeriesDL, 9.0);
}

} // namespace
} // namespace astrodesk
