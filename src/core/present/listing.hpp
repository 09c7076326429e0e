#pragma once

// The horoscope listing: the text page of a computed chart on the output screen. A head (banner
// and column header), one row per listed body with its longitude in sign form, motion mark,
// ecliptic latitude and distance, and a block with the angles, four house cusps and the chart's
// record. Columns follow the picture box's 14-column print zones.
//
// The listing reads a chart that the chart driver has computed; it computes nothing itself.

#include "shell/output_screen.hpp"
#include "shell/program_state.hpp"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace astrodesk {

// 16 characters for a longitude in degrees: degrees in the sign, the degree sign, the sign's
// abbreviation between blanks, minutes with an apostrophe, seconds to a tenth and a closing
// double quote, for example 15.5 gives "15° AR 30' 00.0\"". Values outside 0..360 are first
// brought into it. A rounded-up tenth carries into the seconds only, which may show 60.
std::string FormatLongitude(double degrees);

// The listing's abbreviation of sign 1 (Aries) .. 12 (Pisces): "AR", "TA" .. "PI".
std::string_view SignAbbreviation(int sign);

// 13 characters for an ecliptic latitude in degrees, the hemisphere between the degrees and the
// minutes and the seconds rounded: -1.5 gives "01° S 30' 00\"".
std::string FormatLatitude(double degrees);

// The mark after a longitude for a BodyMotion code: "   R" retrograde, "   SR" stationary
// turning retrograde, "   SD" stationary turning direct, three blanks for any other code.
std::string MotionMark(std::int16_t motionCode);

// Why a display slot 1..12 of a computed chart has no distance to show, or nothing when it has
// one: the centre body's slot holds the Ascendant, and a body (or the centre body) whose series
// gives a radius of zero or less at the chart's date has no place in space.
std::optional<std::string> UndefinedDistanceReason(const ProgramState& state, int slot);

// The product banner, an empty line, the column header and an empty line.
void PrintListingHead(const ProgramState& state, PictureBox& box);

// One row per listed body of display slots 1..12 (slot longitudes and latitudes in radians),
// then an empty line; the distance is left blank where the slot has none. The centre body's slot is
// left out; the Moon is listed only in a geocentric chart, as the line that also gives the lunar
// node.
void ListBodies(const ProgramState& state, PictureBox& box);

// The Ascendant, Midheaven and Vertex beside the chart's date, time, name and place, the centre
// body, and cusps 2, 3, 5 and 6. The last line is left open: ListChartPage ends it with an empty
// line. A notice follows when the chosen house system was undefined at the chart's
// latitude. Reads ChartDate and ChartTime in their display forms; fills PositionText.
void PrintAngleBlock(ProgramState& state, PictureBox& box);

// The whole first page of a computed chart: the head, the bodies, the angle block and the empty
// line that closes it.
void ListChartPage(ProgramState& state, PictureBox& box);

} // namespace astrodesk
