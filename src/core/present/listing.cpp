#include "present/listing.hpp"

#include "astro/angles.hpp"

#include <array>
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

// Widths in characters; the degree sign takes two bytes of UTF-8.
constexpr std::size_t kLongitudeWidth = 16;
constexpr std::size_t kLatitudeWidth = 13;
constexpr std::size_t kPositionTextWidth = kLongitudeWidth - 1; // without the closing quote
constexpr std::size_t kNameWidth = 23; // characters of ChartName in the NAME line
constexpr std::size_t kDegreeSignBytes = sizeof kDegreeSign - 1;

// A fixed-width text of the listing, filled in place: formatting a field needs no heap.
template <std::size_t Width> struct Field {
    std::array<char, Width + kDegreeSignBytes> chars;
    std::size_t size = 0; // bytes written
    std::string_view View() const { return {chars.data(), size}; }
};
using LongitudeText = Field<kLongitudeWidth>;
using LatitudeText = Field<kLatitudeWidth>;

// A whole number of 0 or more as a two-digit field: its last two digits, "07", "60".
struct TwoDigits {
    int number;
};

// Fills a field from its first byte on; each layout below writes exactly its width.
template <std::size_t Width> class FieldWriter {
  public:
    explicit FieldWriter(Field<Width>& field) : field_(field) { field_.size = 0; }
    FieldWriter& operator<<(char c) {
        field_.chars[field_.size++] = c;
        return *this;
    }
    FieldWriter& operator<<(std::string_view text) {
        for (const char c : text)
            *this << c;
        return *this;
    }
    FieldWriter& operator<<(TwoDigits field) {
        const unsigned lastTwo = static_cast<unsigned>(field.number) % 100;
        return *this << static_cast<char>('0' + lastTwo / 10)
                     << static_cast<char>('0' + lastTwo % 10);
    }

  private:
    Field<Width>& field_;
};

// "UNDEFINED" and blanks to the full width, for a value that cannot be shown.
template <std::size_t Width> Field<Width> UndefinedField() {
    Field<Width> field;
    FieldWriter<Width>(field) << "UNDEFINED" << std::string_view("       ").substr(0, Width - 9);
    return field;
}

LongitudeText LongitudeField(double degrees) {
    if (!std::isfinite(degrees)) return UndefinedField<kLongitudeWidth>();
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
    const int wholeDegreesNumber = static_cast<int>(wholeDegrees);
    const int sign = wholeDegreesNumber / 30; // 0 Aries .. 11 Pisces
    const int degreesInSign = wholeDegreesNumber - 30 * sign;
    LongitudeText field;
    FieldWriter(field) << TwoDigits{degreesInSign} << kDegreeSign
                       << kSignTable.substr(4 * static_cast<std::size_t>(sign), 4)
                       << TwoDigits{minutes} << "' " << TwoDigits{seconds} << '.'
                       << static_cast<char>('0' + tenths) << '"';
    return field;
}

LatitudeText LatitudeField(double degrees) {
    if (!std::isfinite(degrees)) return UndefinedField<kLatitudeWidth>();
    const char hemisphere = degrees < 0.0 ? 'S' : 'N';
    const double size = std::abs(degrees);
    const double wholeDegrees = std::floor(size);
    const double minutesExact = 60.0 * (size - wholeDegrees);
    const int minutes = static_cast<int>(minutesExact);
    const int seconds = static_cast<int>(60.0 * (minutesExact - minutes) + 0.5);
    LatitudeText field;
    FieldWriter(field) << TwoDigits{static_cast<int>(std::fmod(wholeDegrees, 100.0))} << kDegreeSign
                       << ' ' << hemisphere << ' ' << TwoDigits{minutes} << "' "
                       << TwoDigits{seconds} << '"';
    return field;
}

std::string_view MotionMarkText(std::int16_t motionCode) {
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

LongitudeText SlotLongitude(const PositionTables& positions, int slot) {
    return LongitudeField(RadToDeg(positions.BodyLongitude[slot]));
}

LatitudeText SlotLatitude(const PositionTables& positions, int slot) {
    return LatitudeField(RadToDeg(positions.BodyLatitude[slot]));
}

void PrintBodyRow(const ProgramState& state, int slot, PictureBox& box) {
    const PositionTables& positions = state.positions;
    box.Print(state.bodies.BodyName[slot], After::NextZone);
    box.Print(SlotLongitude(positions, slot).View(), After::Join);
    box.Print(MotionMarkText(positions.BodyMotion[slot]), After::NextZone);
    if (UndefinedDistanceReason(state, slot)) {
        box.Print(SlotLatitude(positions, slot).View());
        return;
    }
    box.Print(SlotLatitude(positions, slot).View(), After::NextZone);
    box.PrintNumber(positions.BodyDistance[slot]);
}

// The Moon with the longitude of the lunar node (degrees) in place of a distance.
void PrintMoonAndNode(const ProgramState& state, PictureBox& box) {
    const PositionTables& positions = state.positions;
    box.Print(state.bodies.BodyName[kMoonSlot], After::NextZone);
    box.Print(SlotLongitude(positions, kMoonSlot).View(), After::NextZone);
    box.Print(SlotLatitude(positions, kMoonSlot).View(), After::NextZone);
    box.Print(" NODE =", After::Join);
    box.Print(LongitudeField(positions.LunarNode).View());
}

// "LABEL", longitude of an angle or cusp in radians, and on to the next zone.
void PrintLabelledLongitude(std::string_view label, double radians, PictureBox& box) {
    box.Print(label, After::NextZone);
    box.Print(LongitudeField(RadToDeg(radians)).View(), After::NextZone);
}

// The angle, then "CAPTION = "; value.
void PrintAngleLine(std::string_view label, double radians, std::string_view caption,
                    std::string_view value, PictureBox& box) {
    PrintLabelledLongitude(label, radians, box);
    box.Print(caption, After::Join);
    box.Print(value);
}

// "CUSP n" for a house number 1..12.
std::string CuspLabel(int house) {
    return "CUSP " + std::to_string(house);
}

// "CUSP n", longitude, "CUSP m", longitude.
void PrintCuspPair(const ChartFrame& frame, int first, int second, PictureBox& box, After after) {
    PrintLabelledLongitude(CuspLabel(first), frame.HouseCusp[first], box);
    box.Print(CuspLabel(second), After::NextZone);
    box.Print(LongitudeField(RadToDeg(frame.HouseCusp[second])).View(), after);
}

void FillPositionText(PositionTables& positions) {
    for (int slot = 1; slot <= 15; ++slot)
        positions.PositionText[slot] =
            FirstCharacters(SlotLongitude(positions, slot).View(), kPositionTextWidth);
}

// A body's nine-character name without its trailing blanks.
std::string_view TrimmedName(const ProgramState& state, int slot) {
    const std::string_view name = state.bodies.BodyName[slot];
    return name.substr(0, name.find_last_not_of(' ') + 1);
}

} // namespace

std::string_view SignAbbreviation(int sign) {
    return kSignTable.substr(static_cast<std::size_t>(4 * (sign - 1) + 1), 2);
}

std::string FormatLongitude(double degrees) {
    return std::string(LongitudeField(degrees).View());
}

std::string FormatLatitude(double degrees) {
    return std::string(LatitudeField(degrees).View());
}

std::string MotionMark(std::int16_t motionCode) {
    return std::string(MotionMarkText(motionCode));
}

std::optional<std::string> UndefinedDistanceReason(const ProgramState& state, int slot) {
    const int centre = state.working.ChartCentre;
    if (slot == CentreSlot(static_cast<std::int16_t>(centre)))
        return "the centre body's slot holds the Ascendant";
    const PositionTables& p = state.positions;
    // Internal body of the slot: the Sun's slot is the Sun seen from the centre body.
    const auto brokenSeries = [&](int internal) -> std::optional<std::string> {
        if (p.HelioDistance[internal] > 0.0) return std::nullopt;
        return "the series of " + std::string(TrimmedName(state, internal + 2)) +
               " gives no positive radius at this date";
    };
    if (slot == kMoonSlot) {
        if (p.BodyDistance[kMoonSlot] > 0.0) return std::nullopt;
        return std::string("the lunar series gives no positive distance at this date");
    }
    if (centre != 0)
        if (auto observer = brokenSeries(centre)) return observer;
    if (slot == 1) return std::nullopt; // the Sun seen from a centre with a good radius
    return brokenSeries(slot - 2);
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
    std::string dateAndEra = record.ChartDate;
    dateAndEra += state.working.ChartEraFlag == 1.0 ? " B.C." : " A.D.";
    PrintAngleLine("ASCENDANT", positions.BodyLongitude[kAscendantSlot], "DATE = ", dateAndEra,
                   box);
    PrintAngleLine("MIDHEAVEN", positions.BodyLongitude[kMidheavenSlot],
                   "TIME = ", record.ChartTime, box);
    PrintAngleLine("VERTEX", positions.BodyLongitude[kVertexSlot],
                   "NAME = ", FirstCharacters(record.ChartName, kNameWidth), box);
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

void ListChartPage(ProgramState& state, PictureBox& box) {
    PrintListingHead(state, box);
    ListBodies(state, box);
    PrintAngleBlock(state, box);
    box.PrintEmptyLine();
}

} // namespace astrodesk
