#include "shell/defaults.hpp"

#include <cstdio>
#include <string_view>

namespace astrodesk {

namespace {

constexpr std::string_view kPackedBodyCodes = "SUNMONMERVENEARMARJUPSATURANEPPLUZED";
constexpr std::string_view kPackedAngleAbbrevs = "ASCMIDVTX"; // slots 13..15
constexpr std::string_view kPackedNames = "THE SUN  THE MOON MERCURY  VENUS    THE EARTHMARS     "
                                          "JUPITER  SATURN   URANUS   NEPTUNE  PLUTO    ZED      "
                                          "ASCENDANTMIDHEAVENVERTEX   ";

std::string Joined(int a, int b, int c, const char* format) {
    char text[32];
    std::snprintf(text, sizeof text, format, a, b, c);
    return text;
}

} // namespace

void BuildBodyTables(BodyTables& bodies) {
    for (int slot = 1; slot <= 15; ++slot) {
        const auto index = static_cast<std::size_t>(slot - 1);
        bodies.BodyAbbrev[slot] = std::string(
            slot <= 12 ? BodyCode(slot) : kPackedAngleAbbrevs.substr(3 * index - 36, 3));
        bodies.BodyName[slot] = std::string(kPackedNames.substr(9 * index, 9));
    }
}

std::string_view BodyCode(int slot) {
    return kPackedBodyCodes.substr(static_cast<std::size_t>(3 * slot - 3), 3);
}

std::string TodayText(const Clock& clock) {
    const ClockReading now = clock.Now();
    return Joined(now.day, now.month, now.year, "%02d-%02d-%04d");
}

std::string ClockTimeText(const Clock& clock) {
    const ClockReading now = clock.Now();
    return Joined(now.hour, now.minute, now.second, "%02d:%02d:%02d");
}

void InitDefaults(ProgramState& state, const Clock& clock) {
    state.record = ChartRecord{
        "current time", TodayText(clock), ClockTimeText(clock), "53N28", "002W13", "", 0};
    state.options = Options{};
    const ChartRecord& record = state.record;
    state.snapshots.NatalRecord =
        SavedRecord{record.ChartName,      record.ChartDate,     record.ChartTime,
                    record.ChartLongitude, record.ChartLatitude, record.ChartEra};
    state.working.ChartReady = 0;
}

} // namespace astrodesk
