// Events as text: the point and target names the files use, the moments in the record's forms,
// and the line the text format and the desktop print.

#include "events/event_text.hpp"

#include <gtest/gtest.h>
#include <tuple>

namespace astrodesk {
namespace {

TEST(EventText, NamesOfPointsAndTargets) {
    for (int slot = 1; slot <= 14; ++slot)
        EXPECT_EQ(PointOfKey(PointKey(slot)), slot);
    EXPECT_FALSE(PointOfKey("vertex"));
    Event ingress{EventKind::Ingress, 6, 12, 0, EventPhase::Exact, 0.0, 2451545.0, 330.0, 330.0};
    EXPECT_EQ(EventTargetName(ingress), "PI");
    Event station{EventKind::Station, 3, kTurnsDirect, 0, EventPhase::Exact, 0.0, 0.0, 1.0, 1.0};
    EXPECT_EQ(EventTargetName(station), "direct");
}

// J2000 is 1 January 2000, 12:00:00; the day count's calendar and era hold either side of it.
TEST(EventText, MomentsInTheRecordsForms) {
    const MomentText j2000 = MomentTextOf(0.0);
    EXPECT_EQ(std::tie(j2000.date, j2000.time, j2000.era),
              std::tuple("01-01-2000", "12:00:00", "A.D."));
    // JD 2299160.5, the first moment of 5 October 1582 in the Julian calendar.
    EXPECT_EQ(MomentTextOf((2299160.5 - 2451545.0) / 36525.0).date, "05-10-1582");
    EXPECT_EQ(MomentTextOf((1721057.5 - 2451545.0) / 36525.0).era, "B.C."); // 1 January 1 B.C.
    EXPECT_TRUE(MomentTextOf(200.0).date.empty());                          // beyond 9999 A.D.
}

// A line of a transit shows the body, the aspect, the target, the phase and both longitudes;
// a longitude a hair below a sign's end reads as the next sign's first degree.
TEST(EventText, OneLinePerEvent) {
    const Event transit{EventKind::Transit, 8,           1,      4, EventPhase::Exact, 0.0,
                        2451545.0,          299.9999999, 209.999};
    EXPECT_EQ(EventLine(transit), "01-01-2000 12:00:00 A.D.  SATURN        SQUARE       SUN       "
                                  " EXACT  00° AQ 00' 00.0\"  NATAL 29° LI 59' 56.4\"");
    const Event progressed{
        EventKind::Progression, 2, 13, 1, EventPhase::Enter, 0.0, 2451545.0, 15.5, 21.5};
    const std::string line = EventLine(progressed, "01-01-2000 13:00:00 CET");
    EXPECT_NE(line.find("A.D. 01-01-2000 13:00:00 CET  PROG. MOON"), std::string::npos) << line;
    EXPECT_NE(line.find("CONJUNCTION  ASCENDANT  ENTER  15° AR 30' 00.0\""), std::string::npos);
}

} // namespace
} // namespace astrodesk
