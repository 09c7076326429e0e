#pragma once

// The longitudes of the moving bodies sampled on a uniform grid of moments, with every body's
// longitude unwrapped (counted on past 360 degrees as the body goes round) and interpolated
// between the samples by the polynomial of degree five through the six nearest ones (the two
// ends of the interval holding T and two more on either side), in Newton's forward-difference form,
// evaluated nested with its derivative for the rate. One source call gives all bodies, so a
// search over a span costs one call per grid step, whatever it looks for.
//
// Unwrapping takes the shorter way round between neighbouring samples, so no body may move half
// a turn in one step; the event search samples daily.

#include "events/event_search.hpp"

#include <vector>

namespace astrodesk {

class LongitudeTrack {
  public:
    // Samples `source` every `step` centuries over [from, to], with three samples more at
    // either end for the interpolation.
    LongitudeTrack(const LongitudeSource& source, double from, double to, double step);

    // Unwrapped longitude of display slot `slot` at T (degrees), and its rate (degrees per
    // Julian century). T is expected within [from, to].
    double Longitude(int slot, double T) const;
    double Rate(int slot, double T) const;
    // Both at once: {longitude, rate}.
    std::pair<double, double> LongitudeAndRate(int slot, double T) const;

    double Step() const { return step_; }
    // The grid's moments FirstNode() .. LastNode() run from `from` to the first one at or after
    // `to`.
    int FirstNode() const { return kPadding; }
    int LastNode() const { return static_cast<int>(times_.size()) - 1 - kPadding; }
    double NodeTime(int node) const { return times_[static_cast<std::size_t>(node)]; }
    // The first node after T, the last node before T.
    int NodeAfter(double T) const;
    int NodeBefore(double T) const;

  private:
    static constexpr int kPadding = 3;
    double start_, step_;
    std::vector<double> times_;
    // Unwrapped longitudes, degrees: slot s at node k at index 12 k + (s - 1).
    std::vector<double> longitudes_;

    double At(int slot, int node) const {
        return longitudes_[static_cast<std::size_t>(12 * node + slot - 1)];
    }
};

} // namespace astrodesk
