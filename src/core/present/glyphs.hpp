#pragma once

// The 16 x 16 one-bit pictures of the chart wheel: the twelve zodiac signs and the bodies of
// display slots 1..12.

#include "shell/output_screen.hpp"

namespace astrodesk {

// Sign picture, 1 Aries .. 12 Pisces.
const Glyph& signicon(int sign);
// Body picture of display slot 1..12 (slot 5, the Earth, also stands for the centre slot).
const Glyph& planicon(int slot);

} // namespace astrodesk
