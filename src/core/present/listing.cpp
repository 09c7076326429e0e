#include "present/listing.hpp"

#include "astro/angles.hpp"
#include "astro/number_text.hpp"

#include <cmath>
#include <string_view>

namespace astrodesk {

namespace {

// Four characters per sign, Aries first.
constexpr std::string_view kSignTable = " AR  TA  GE  CN  LE  VI  LI  SC  SG  CP  AQ  PI ";

constexpr std::string_view kHouseSystemNotice =
    "HOUSE SYSTEM UNDEFINED AT THIS LATITUDE: EQUAL HOUSES SHOWN";

// Slot of the Moon in the display tables.
constexpr int kMoonSlot = 2;
// Slots of the angles in BodyLongitude after the chart computation.
constexpr int kMidheavenSlot = 17;
constexpr int kAscendantSlot = 18;
constexpr int kVertexSlot = 19;

constexpr std::size_t kLongitudeWidth = 16;
constexpr std::size_t kLatitudeWidth = 13;
constexpr std::size_t kPositionTextWidth = kLongitudeWidth - 1; // without the closing quote
constexpr std::size_t kNameWidth = 23; // characters of ChartName in the NAME line

// A whole number from 0 to 99 as a two-digit field: "07", "60".
std::string TwoDigits(int number) {
    std::string text = " " + std::to_string(number);
    return TwoDigitText(text);
}

// A text of the given width for a value that cannot be shown.
std::string UndefinedField(std::size_t width) {
    std::string text = "UNDEFINED";
    text.resize(width, ' ');
    return text;
}

std::string SlotLongitude(const PositionTables& positions, int slot) {
    return FormatLongitude(RadToDeg(positions.BodyLongitude[slot]));
}

std::string SlotLatitude(const PositionTables& positions, int slot) {
    return FormatLatitude(RadToDeg(positions.BodyLatitude[slot]));
}

void PrintBodyRow(const ProgramState& state, int slot, PictureBox& box) {
    const PositionTables& positions = state.positions;
    box.Print(state.bodies.BodyName[slot], After::NextZone);
    box.Print(SlotLongitude(positions, slot), After::Join);
    box.Print(MotionMark(positions.BodyMotion[slot]), After::NextZone);
    box.Print(SlotLatitude(positions, slot), After::NextZone);
    box.PrintNumber(positions.BodyDistance[slot]);
}

// The Moon with the longitude of the lunar node (degrees) in place of a distance.
void PrintMoonAndNode(const ProgramState& state, PictureBox& box) {
    const PositionTables& positions = state.positions;
    box.Print(state.bodies.BodyName[kMoonSlot], After::NextZone);
    box.Print(SlotLongitude(positions, kMoonSlot), After::NextZone);
    box.Print(SlotLatitude(positions, kMoonSlot), After::NextZone);
    box.Print(" NODE =", After::Join);
    box.Print(FormatLongitude(positions.LunarNode));
}

// "LABEL", longitude of an angle or cusp in radians, and on to the next zone.
void PrintLabelledLongitude(std::string_view label, double radians, PictureBox& box) {
    box.Print(label, After::NextZone);
    box.Print(FormatLongitude(RadToDeg(radians)), After::NextZone);
}

// The angle, then "CAPTION = "; value.
void PrintAngleLine(std::string_view label, double radians, std::string_view caption,
                    std::string_view value, PictureBox& box) {
    PrintLabelledLongitude(label, radians, box);
    box.Print(caption, After::Join);
    box.Print(value);
}

// "CUSP n", longitude, "CUSP m", longitude.
void PrintCuspPair(const ChartFrame& frame, int first, int second, PictureBox& box, After after) {
    PrintLabelledLongitude("CUSP " + std::to_string(first), frame.HouseCusp[first], box);
    box.Print("CUSP " + std::to_string(second), After::NextZone);
    box.Print(FormatLongitude(RadToDeg(frame.HouseCusp[second])), after);
}

void FillPositionText(PositionTables& positions) {
    for (int slot = 1; slot <= 15; ++slot)
        positions.PositionText[slot] = SlotLongitude(positions, slot).substr(0, kPositionTextWidth);
}

} // namespace

std::string FormatLongitude(double degrees) {
    if (!std::isfinite(degrees)) return UndefinedField(kLongitudeWidth);
    Reduce360(degrees);
    const double wholeDegrees = std::floor(degrees);
    const double minutesExact = 60.0 * (degrees - wholeDegrees);
    const int minutes = static_cast<int>(minutesExact);
    const double secondsExact = 60.0 * (minutesExact - minutes);
    int seconds = static_cast<int>(secondsExact);
    int tenths = static_cast<int>(10.0 * (secondsExact - seconds) + 0.5);
    if (tenths == 10) {
        ++seconds;
        tenths = 0;
    }
    const int sign = static_cast<int>(wholeDegrees / 30.0); // 0 Aries .. 11 Pisces
    const int degreesInSign = static_cast<int>(wholeDegrees) - 30 * sign;
    return TwoDigits(degreesInSign) + kDegreeSign +
           std::string(kSignTable.substr(4 * static_cast<std::size_t>(sign), 4)) +
           TwoDigits(minutes) + "' " + TwoDigits(seconds) + "." + std::to_string(tenths) + '"';
}

std::string FormatLatitude(double degrees) {
    if (!std::isfinite(degrees)) return UndefinedField(kLatitudeWidth);
    const char hemisphere = degrees < 0.0 ? 'S' : 'N';
    const double size = std::abs(degrees);
    const double wholeDegrees = std::floor(size);
    const double minutesExact = 60.0 * (size - wholeDegrees);
    const int minutes = static_cast<int>(minutesExact);
    const int seconds = static_cast<int>(60.0 * (minutesExact - minutes) + 0.5);
    return TwoDigits(static_cast<int>(std::fmod(wholeDegrees, 100.0))) + kDegreeSign + " " +
           hemisphere + " " + TwoDigits(minutes) + "' " + TwoDigits(seconds) + '"';
}

std::string MotionMark(std::int16_t motionCode) {
    switch (motionCode) {
    case 1:
        return "   R";
    case 2:
        return "   SR";
    case 3:
        return "   SD";
    default:
        return "   ";
    }
}

void PrintListingHead(const ProgramState& state, PictureBox& box) {
    box.Print(state.ProductBanner);
    box.PrintEmptyLine();
    box.Print("PLANET", After::NextZone);
    box.Print("LONGITUDE", After::NextZone);
    box.Print("", After::NextZone);
    box.Print("LATITUDE", After::NextZone);
    box.Print(" DISTANCE (A.U.)");
    box.PrintEmptyLine();
}

void ListBodies(const ProgramState& state, PictureBox& box) {
    const std::int16_t centre = state.working.ChartCentre;
    for (int slot = 1; slot <= 12; ++slot) {
        if (slot == kMoonSlot) {
            if (centre == 3) PrintMoonAndNode(state, box);
        } else if (slot != CentreSlot(centre)) {
            PrintBodyRow(state, slot, box);
        }
    }
    box.PrintEmptyLine();
}

void PrintAngleBlock(ProgramState& state, PictureBox& box) {
    const ChartRecord& record = state.record;
    const PositionTables& positions = state.positions;
    const std::string era = state.working.ChartEraFlag == 1.0 ? " B.C." : " A.D.";
    PrintAngleLine("ASCENDANT", positions.BodyLongitude[kAscendantSlot],
                   "DATE = ", record.ChartDate + era, box);
    PrintAngleLine("MIDHEAVEN", positions.BodyLongitude[kMidheavenSlot],
                   "TIME = ", record.ChartTime, box);
    PrintAngleLine("VERTEX", positions.BodyLongitude[kVertexSlot],
                   "NAME = ", record.ChartName.substr(0, kNameWidth), box);
    for (int emptyItem = 0; emptyItem < 3; ++emptyItem)
        box.Print("", After::NextZone);
    box.Print("LAT = ", After::Join);
    box.Print(record.ChartLatitude);
    box.Print("HOROSCOPE AS SEEN FROM ", After::Join);
    box.Print(state.bodies.BodyName[CentreSlot(state.working.ChartCentre)], After::NextZone);
    box.Print("LON = ", After::Join);
    box.Print(record.ChartLongitude);

    const ChartFrame& frame = state.frame;
    PrintCuspPair(frame, 2, 3, box, After::LineEnd);
    const bool undefined = frame.HouseSystemUndefined;
    PrintCuspPair(frame, 5, 6, box, undefined ? After::LineEnd : After::Join);
    if (undefined) box.Print(kHouseSystemNotice, After::Join);
    FillPositionText(state.positions);
}

} // namespace astrodesk
