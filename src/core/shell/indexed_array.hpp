#pragma once

#include <array>
#include <cassert>
#include <cstddef>

namespace astrodesk {

// A fixed table addressed by the program's own index range (display slots 1..15, multiples
// -10..16, ...), so that code reads exactly like the tables it implements. Indices are
// checked in debug builds.
// Asks for a table whose entries are left unset: scratch of a hot loop that writes every entry
// before reading it, where clearing it first would cost more than the loop's own work.
struct LeaveUnset {};

template <typename T, int First, int Last> class IndexedArray {
    static_assert(First <= Last);

  public:
    static constexpr int first = First;
    static constexpr int last = Last;
    static constexpr std::size_t size = static_cast<std::size_t>(Last - First + 1);

    constexpr IndexedArray() : items_{} {}
    explicit IndexedArray(LeaveUnset) {}

    constexpr T& operator[](int index) {
        assert(index >= First && index <= Last);
        return items_[static_cast<std::size_t>(index - First)];
    }
    constexpr const T& operator[](int index) const {
        assert(index >= First && index <= Last);
        return items_[static_cast<std::size_t>(index - First)];
    }

    constexpr void fill(const T& value) { items_.fill(value); }
    constexpr auto begin() { return items_.begin(); }
    constexpr auto end() { return items_.end(); }
    constexpr auto begin() const { return items_.begin(); }
    constexpr auto end() const { return items_.end(); }

    friend constexpr bool operator==(const IndexedArray&, const IndexedArray&) = default;

  private:
    std::array<T, size> items_;
};

} // namespace astrodesk
