#include "maps/map_plotter.hpp"

namespace astrodesk {

// Each body's local space line: the great circle through the place and the body's overhead
// point, the direction in which the body stood as seen from the place.
void MapPlotter::DrawCylindricalLocalSpace() {
    for (int b = 1; b <= 12; ++b) {
        if (b == kPlaceSlot) continue;
        LabelLine(b, "LSP");
        DrawCircleThrough(b, kPlaceSlot);
    }
}

void MapPlotter::DrawGnomicLocalSpace() {
    for (int b = 1; b <= 12; ++b) {
        if (b == kPlaceSlot) continue;
        LabelLine(b, "LSP");
        DrawGnomicLine(GnomicBody[b], GnomicBody[kPlaceSlot]);
    }
}

} // namespace astrodesk
