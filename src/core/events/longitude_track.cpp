#include "events/longitude_track.hpp"

#include "astro/angles.hpp"

#include <algorithm>
#include <cmath>

namespace astrodesk {

namespace {

constexpr int kSlots = 12;
constexpr int kStencil = 6; // samples per interpolating polynomial

// The polynomial through six samples f0..f5 at s = 0..5 in Newton's forward form (Hildebrand,
// Introduction to Numerical Analysis, ch. 4): f0 + s D1 + s(s-1) D2 + ..., D_k the k-th forward
// difference over k!. Evaluated nested, the rate alongside: {value, d value / ds}.
std::pair<double, double> NewtonForward(const double (&f)[kStencil], double s) {
    double d[kStencil];
    std::copy(std::begin(f), std::end(f), d);
    for (int order = 1; order < kStencil; ++order)
        for (int i = kStencil - 1; i >= order; --i)
            d[i] = (d[i] - d[i - 1]) / order;
    double value = d[kStencil - 1], rate = 0.0;
    for (int k = kStencil - 2; k >= 0; --k) {
        rate = value + (s - k) * rate;
        value = d[k] + (s - k) * value;
    }
    return {value, rate};
}

} // namespace

LongitudeTrack::LongitudeTrack(const LongitudeSource& source, double from, double to, double step)
    : start_(from - kPadding * step), step_(step) {
    const int intervals = std::max(1, static_cast<int>(std::ceil((to - from) / step)));
    const int nodes = intervals + 1 + 2 * kPadding;
    times_.resize(static_cast<std::size_t>(nodes));
    longitudes_.resize(static_cast<std::size_t>(nodes * kSlots));
    for (int k = 0; k < nodes; ++k) {
        const double T = start_ + k * step;
        times_[static_cast<std::size_t>(k)] = T;
        const IndexedArray<double, 1, 12> places = source(T);
        for (int slot = 1; slot <= kSlots; ++slot) {
            double degrees = RadToDeg(places[slot]);
            // No body moves half a turn in a step: the shorter way round is the way it went.
            if (k > 0) {
                const double previous = At(slot, k - 1);
                degrees = previous + std::remainder(degrees - previous, 360.0);
            }
            longitudes_[static_cast<std::size_t>(kSlots * k + slot - 1)] = degrees;
        }
    }
}

std::pair<double, double> LongitudeTrack::LongitudeAndRate(int slot, double T) const {
    // The interval holding T, and the stencil of the two samples before it to three after.
    const int last = static_cast<int>(times_.size()) - 1;
    const int interval =
        std::clamp(static_cast<int>(std::floor((T - start_) / step_)), 2, last - 3);
    double f[kStencil];
    for (int i = 0; i < kStencil; ++i)
        f[i] = At(slot, interval - 2 + i);
    const double s = (T - times_[static_cast<std::size_t>(interval - 2)]) / step_;
    const auto [value, rate] = NewtonForward(f, s);
    return {value, rate / step_};
}

int LongitudeTrack::NodeAfter(double T) const {
    const int node = static_cast<int>(std::floor((T - start_) / step_)) + 1;
    return std::clamp(node, 0, static_cast<int>(times_.size()) - 1);
}

int LongitudeTrack::NodeBefore(double T) const {
    const int node = static_cast<int>(std::ceil((T - start_) / step_)) - 1;
    return std::clamp(node, 0, static_cast<int>(times_.size()) - 1);
}

double LongitudeTrack::Longitude(int slot, double T) const {
    return LongitudeAndRate(slot, T).first;
}

double LongitudeTrack::Rate(int slot, double T) const {
    return LongitudeAndRate(slot, T).second;
}

} // namespace astrodesk
