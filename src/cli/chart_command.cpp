#include "astro/angles.hpp"
#include "astro/day_count.hpp"
#include "chart/houses.hpp"
#include "commands.hpp"
#include "record_options.hpp"
#include "shell/defaults.hpp"

#include <CLI/CLI.hpp>
#include <cstdio>
#include <iostream>
#include <memory>

namespace astrodesk::cli {

namespace {

// The record's date and time in the compact forms the day count reads: "DDMMYYYY", "HHMMSS".
ChartRecord WithCompactTexts(ChartRecord record) {
    const std::string& date = record.ChartDate;
    const std::string& time = record.ChartTime;
    record.ChartDate = date.substr(0, 2) + date.substr(3, 2) + date.substr(date.size() - 4);
    record.ChartTime = time.substr(0, 2) + time.substr(3, 2) + time.substr(time.size() - 2);
    return record;
}

// The time argument, place, sidereal frame, angles and cusps of the record's moment.
void ComputeFrame(ProgramState& state) {
    const ChartRecord compact = WithCompactTexts(state.record);
    state.working.ChartEraFlag = state.record.ChartEra;
    ComputeDayCount(compact, state.working, state.frame);
    ComputeAngles(compact, state.frame, state.positions);
    ComputeHouseCusps(state.options, state.frame);
}

void PrintLine(const char* label, const std::string& value) {
    std::printf("%-16s %s\n", label, value.c_str());
}

void PrintDegrees(const char* label, double radians) {
    std::printf("%-16s %11.6f\n", label, RadToDeg(radians));
}

void PrintHoroscopeData(const ProgramState& state) {
    const ChartRecord& record = state.record;
    const ChartFrame& frame = state.frame;
    PrintLine("NAME", record.ChartName);
    PrintLine("DATE", record.ChartDate + (record.ChartEra == 1 ? " B.C." : " A.D."));
    PrintLine("GREENWICH TIME", record.ChartTime);
    std::printf("%-16s %.10f Julian centuries from JD 2415020.0\n", "TIME ARGUMENT",
                frame.JulianCenturies);
    std::printf("%-16s %s %s (latitude %.6f, longitude %.6f west)\n", "PLACE",
                record.ChartLatitude.c_str(), record.ChartLongitude.c_str(),
                RadToDeg(frame.Latitude), frame.LongitudeWest);
    PrintDegrees("OBLIQUITY", frame.Obliquity);
    PrintDegrees("RAMC", frame.RAMC);
    PrintDegrees("MIDHEAVEN", frame.Midheaven);
    PrintDegrees("ASCENDANT", frame.Ascendant);
    PrintDegrees("VERTEX", frame.Vertex);
    const std::string_view system = HouseSystemOptionName(state.options.HouseSystem);
    PrintLine("HOUSE SYSTEM", std::string(system));
    if (frame.HouseSystemUndefined)
        std::printf("NOTICE: %s houses do not exist inside the polar circles; "
                    "equal houses are shown.\n",
                    std::string(system).c_str());
    for (int house = 1; house <= 12; ++house) {
        const std::string label = "CUSP " + std::to_string(house);
        PrintDegrees(label.c_str(), frame.HouseCusp[house]);
    }
}

} // namespace

void AddChartCommand(CLI::App& app) {
    CLI::App* command = app.add_subcommand(
        "chart", "Horoscope data of a birth record: time argument, place, angles and house cusps "
                 "(every option defaults to the present moment at 53N28 002W13)");
    auto arguments = std::make_shared<RecordArguments>();
    AddRecordOptions(*command, *arguments);
    command->callback([arguments] {
        ProgramState state;
        InitDefaults(state, SystemClock{});
        if (auto refusal = ApplyRecordArguments(*arguments, state.record, state.options))
            RefuseArgument(*refusal);
        ComputeFrame(state);
        PrintHoroscopeData(state);
    });
}

} // namespace astrodesk::cli
