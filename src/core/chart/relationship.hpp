#pragma once

// The relationship chart by the great circle method: two people's births combined into one chart
// whose moment is the mean of the two birth moments and whose place is the point halfway along
// the shorter great-circle arc between the two birthplaces. The first person is the natal
// snapshot, the second the chart computed just before.
//
// The midpoint is found on the spherical triangle of the pole and the two places (W. M. Smart,
// Textbook on Spherical Astronomy, 6th ed., Cambridge 1977, chapter 1): the arc between the
// places by the cosine formula, the bearing of the arc at the first place by the four-parts
// formula, then on the triangle of the pole, the first place and the point half the arc along
// that bearing, the point's colatitude by the cosine formula and its longitude difference from
// the first place by the four-parts formula. The mean moment is the mean of the two Julian
// Dates, whatever their calendars.

#include "shell/program_state.hpp"

#include <string>
#include <string_view>

namespace astrodesk {

// Ends the name of every relationship chart.
inline constexpr std::string_view kRelationshipEnding = " ( REL. )";

// Degrees: latitude north positive, longitude west positive in -180..+180.
struct GreatCircleMidpointResult {
    double MidpointLatitude;
    double MidpointLongitudeWest;
};

// The point halfway along the shorter great-circle arc from place 1 (latitude b1, west longitude
// l1, degrees) to place 2. Places on one meridian count as 0.001 degree apart and places half a
// turn apart in longitude as 179.999 degrees, so that the arc runs on the side the longitudes
// give; a place at a pole joins the other along the other's meridian.
GreatCircleMidpointResult GreatCircleMidpoint(double b1, double b2, double l1, double l2);

// ChartLatitude "DDSMM" and ChartLongitude "DDDSMM" from the frame's Latitude (radians) and
// LongitudeWest (degrees), to the nearest minute. A minute that rounds to 60 is written as 60,
// and so is the pole or the 180th meridian (89N60, 179W60): the forms the entry form takes.
void SetRecordFromPlace(const ChartFrame& frame, ChartRecord& record);

// "FIRST NAME & SECOND NAM ( REL. )": each name cut to its first 10 characters.
std::string RelationshipName(const std::string& firstName, const std::string& secondName);

// The relationship chart of the natal snapshot's person and the person whose chart has just
// been computed: the record and place become the mean moment (with its era), the midpoint of the
// birthplaces and the joined names; the chart is computed and the relationship snapshot taken.
// False, with nothing changed, if the mean moment cannot be written as an entry date (never for two
// charts of the entry range).
bool ComputeRelationshipChart(ProgramState& state);

// Remembers the chart just computed as the relationship chart, the base of the techniques in
// relationship mode: its moment RelT (from JD 2415020.0) and its texts.
void TakeRelationshipSnapshot(ProgramState& state);

} // namespace astrodesk
