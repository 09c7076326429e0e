#include "ephemeris/coefficient_files.hpp"
#include "support/scratch_folder.hpp"
#include "support/shipped_data.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace astrodesk {
namespace {

using ::testing::HasSubstr;

// A PERTURBS.FIL text whose first row is `firstRow`, the other rows zeros.
std::string PerturbText(const std::string& firstRow) {
    std::string text = firstRow + "\n";
    for (int row = 1; row <= 502; ++row)
        text += "0,0,0,0,0,0,0,0,0\n";
    return text;
}

std::string ErrorOf(const std::string& text) {
    CoefficientTables tables;
    try {
        ParsePerturbTable(text, "PERTURBS.FIL", tables);
    } catch (const DataFileError& error) {
        return error.what();
    }
    return "no error";
}

class NoDataFiles final : public DataFiles {
  public:
    std::optional<std::filesystem::path> Find(const std::string&) const override { return {}; }
};

// Free format: items apart by blanks, tabs, line ends or one comma, a row over several lines.
TEST(CoefficientFiles, NumbersAreSinglePrecisionAndWholeColumnsRoundHalvesToEven) {
    CoefficientTables tables;
    ParsePerturbTable(PerturbText("2.0 -3.0\t1.6\n0.1 , 1e2 +2.5D-1 .5 5. -0") + "extra ignored",
                      "test", tables);
    const PerturbRow& row = FetchPerturbRow(tables, 0);
    EXPECT_EQ(row.PerturbRowIndex, (std::array<std::int16_t, 3>{2, -3, 2}));
    EXPECT_EQ(row.PerturbRowCoef, (std::array<double, 6>{0.1f, 100, 0.25, 0.5, 5, 0}));
    EXPECT_EQ(tables.PerturbTable[0][3], 0.1f);
    ParsePerturbTable(PerturbText("2.5 3.5 -2.5 0 0 0 0 0 0"), "test", tables);
    EXPECT_EQ(FetchPerturbRow(tables, 0).PerturbRowIndex, (std::array<std::int16_t, 3>{2, 4, -2}));
    ParsePerturbTable(PerturbText("-3.5 -0.5 0.5 0 0 0 0 0 0"), "test", tables);
    EXPECT_EQ(FetchPerturbRow(tables, 0).PerturbRowIndex, (std::array<std::int16_t, 3>{-4, 0, 0}));
}

TEST(CoefficientFiles, BadFilesAreReportedWithFileAndPositionAndLeaveTheTableAlone) {
    EXPECT_EQ(ErrorOf(PerturbText("1,2,3")),
              "PERTURBS.FIL ends after 4521 numbers; it must hold 4527");
    EXPECT_EQ(ErrorOf(PerturbText("1,0,0,0,0.5x,0,0,0,0")),
              "PERTURBS.FIL, line 1, column 9: \"0.5x\" is not a number");
    EXPECT_EQ(ErrorOf("\n  1,0,,0"),
              "PERTURBS.FIL, line 2, column 7: an empty item (nothing between two commas)");
    EXPECT_THAT(ErrorOf(",1"), HasSubstr("line 1, column 1: an empty item"));
    EXPECT_THAT(ErrorOf(PerturbText("1,0,0,1e39,0,0,0,0,0")),
                HasSubstr("\"1e39\" is beyond the range of single precision"));
    EXPECT_THAT(ErrorOf(PerturbText("1\x01,0,0,0,0,0,0,0,0")), HasSubstr("\"1\\x01\""));
    EXPECT_EQ(ErrorOf(PerturbText("17,0,0,0,0,0,0,0,0")),
              "PERTURBS.FIL, line 1, column 1: 17 is outside -10..16 (multiple of the "
              "planet's own mean anomaly, row 0 of the table)");
    EXPECT_THAT(ErrorOf(PerturbText("0,-11,0,0,0,0,0,0,0")), HasSubstr("outside -10..10"));
    // A number, but no coefficient of any published theory (it would move Mars by 0.36 degree).
    EXPECT_EQ(
        ErrorOf(PerturbText("0,0,0,0,0,0,0,0,-1e26")),
        "PERTURBS.FIL, line 1, column 17: -1e+26 is outside -1e+07..1e+07 (a coefficient, far "
        "beyond any published term, row 0 of the table)");
    EXPECT_EQ(ErrorOf(PerturbText("0,0,0,9999999,0,0,0,0,0")), "no error");

    CoefficientTables tables;
    tables.MoonTable[0][0] = 42.0f;
    const std::string moon = testing::ShippedFileText(kMoonFileName);
    const std::string lastRowQ4 = moon.substr(0, moon.rfind(",0,2,0")) + ",4,2,0\n"; // q = 4
    EXPECT_THROW(ParseMoonTable(lastRowQ4, kMoonFileName, tables), DataFileError);
    const std::string bigFirst = "1000001" + moon.substr(moon.find_first_of(", "));
    EXPECT_THAT([&] { ParseMoonTable(bigFirst, kMoonFileName, tables); },
                ::testing::ThrowsMessage<DataFileError>(HasSubstr("outside -1e+06..1e+06")));
    EXPECT_EQ(tables.MoonTable[0][0], 42.0f);
    EXPECT_THAT([&] { LoadPerturbTable(NoDataFiles(), tables); },
                ::testing::ThrowsMessage<DataFileError>(HasSubstr("PERTURBS.FIL is missing")));
    const testing::ScratchFolder pipeOnly;
    ASSERT_EQ(::mkfifo(pipeOnly.PathOf(kPerturbFileName).c_str(), 0600), 0);
    EXPECT_THAT([&] { LoadPerturbTable(pipeOnly, tables); },
                ::testing::ThrowsMessage<DataFileError>(
                    HasSubstr("PERTURBS.FIL is a named pipe (FIFO), not a file")));
}

} // namespace
} // namespace astrodesk
