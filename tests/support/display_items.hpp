#pragma once

// The items of one kind (texts, lines, dots, pictures) in a picture box's display list, in the
// order they were drawn.

#include "shell/output_screen.hpp"

#include <variant>
#include <vector>

namespace astrodesk::testing {

template <typename Item> std::vector<Item> ItemsOf(const PictureBox& box) {
    std::vector<Item> found;
    for (const DisplayItem& item : box.Items())
        if (const auto* typed = std::get_if<Item>(&item)) found.push_back(*typed);
    return found;
}

} // namespace astrodesk::testing
