#pragma once

// The written interpretation of a geocentric chart: a reading assembled screen by screen from the
// interpretation text files (an introduction, the balance of the four elements, then each factor
// in its sign and sector with its aspects), each screen waiting for CONTINUE, and with hard copy
// on every block also printed.
//
// The text files hold the wording; the report only picks their lines. Their layouts:
//   PREAMBLE.TXT                  lines 1-11 and 12-26, two screens
//   FIRE, EARTH, AIR, WATER.TXT   five blocks of 12 lines by the element's count: 0, 1-2, 3, 4-5,
//                                 more than 5
//   PLANET.TXT                    twelve blocks of 5: the Ascendant, then the Sun .. ZED
//   ASCEND1-3.TXT, SUNSIGN1-3.TXT .. ZEDSIGN1-3.TXT
//                                 four signs of 15 lines a file, Aries to Cancer in file 1
//   HOUSES.TXT                    twelve blocks of 5, sector 1 to 12
//   SUNMONAS.TXT .. ZEDASCAS.TXT  the aspects of two factors, the earlier in the interpretation
//                                 order first: blocks of 10 for the conjunction, opposition,
//                                 trine, square and sextile, lines 51-55 the semisquare and
//                                 sesquisquare, 56-60 the semisextile and inconjunct

#include "interpret/text_reader.hpp"
#include "shell/output_screen.hpp"
#include "shell/platform.hpp"
#include "shell/program_state.hpp"

#include <string>
#include <string_view>
#include <vector>

namespace astrodesk {

inline constexpr const char* kGeocentricOnly =
    "INTERPRETATION ONLY AVAILABLE FOR GEOCENTRIC CHARTS";

// What the report reaches of the platform.
struct ReportServices {
    OutputScreen& output;
    Dialogs& dialogs;
    const DataFiles& dataFiles;
    Printer* printer = nullptr; // hard copy while HardCopy is on; none keeps it on the screen
};

// One block of text the report read and showed.
struct ReportSection {
    enum class Kind { Preamble, Element, Factor, Sign, House, Aspect };
    Kind kind = Kind::Preamble;
    std::string factor; // trimmed body name ("THE SUN"), or the element ("FIRE")
    std::string other;  // an aspect's later factor
    std::string aspect; // "CONJUNCTION" .. "SESQUISQUARE"
    std::string stars;  // "*" to "***"
    std::string marker; // "$$$" for an aspect of ZED
    std::string note;   // the reminder about the birth time under some aspects
    // The element's count, the factor's strength, the sign 1..12 or the sector 1..12.
    int number = 0;
    std::string file;
    int first = 0, last = 0; // line range read, 1-based and inclusive
    std::vector<std::string> lines;
};
// "preamble", "element", "factor", "sign", "house", "aspect".
std::string_view SectionKindName(ReportSection::Kind kind);

struct ReportOutcome {
    enum class End {
        Finished,
        NotGeocentric, // refused before anything was shown
        Left,          // the user closed the output window or pressed Escape during a wait
        FileFault,     // a text file was missing, not a file, unreadable, damaged, too long or
                       // too short
    };
    End end = End::Finished;
    std::vector<ReportSection> sections;
};

// The reading of the chart last computed. Refuses a chart that is not geocentric with a message
// box. While it runs, FactorLon, BodyAbbrev, BodyName and FactorHouse hold the factors in the
// interpretation order (the Sun .. ZED in slots 1..11, the Ascendant in 12); AspectCode and
// FactorStrength are computed afresh in that order and stay so. However the report ends, the
// four tables are back in body order with "EAR"/"THE EARTH" in slot 5, and a hard copy begun is
// ended. A text file at fault is named in a message box and ends the report.
ReportOutcome WriteInterpretation(ProgramState& state, const ReportServices& services);

} // namespace astrodesk
