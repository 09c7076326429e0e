#pragma once

// The places of the atlas indexed by every word of their folded names, so that a query costs a
// binary search and the matches it finds, not a pass over the whole gazetteer.

#include "atlas/atlas.hpp"
#include "atlas/text_folding.hpp"

#include <cstdint>
#include <string_view>
#include <vector>

namespace astrodesk {

class PlaceIndex {
  public:
    // `places` are indexed as they are; of `additions` (the time-zone database's cities), only
    // those the places lack: no place within a degree of latitude and longitude has a word of
    // its name beginning with the addition's name, or a name that is the addition's first words
    // (folded).
    PlaceIndex(std::vector<AtlasPlace> places, const std::vector<AtlasPlace>& additions);

    // The query's text before the first comma begins a word of the name (folded). Each part
    // after a comma begins a word of the region or the country, or is a whole number N that takes
    // the N-th of the list alone. Most populous first, then by name, region and country.
    std::vector<AtlasPlace> Find(std::string_view query) const;

  private:
    // The folded name from one of its word starts to its end, for one place.
    struct WordKey {
        std::uint32_t place;
        std::uint32_t start;
    };
    struct FoldedPlace {
        FoldedText name, region, country;
    };

    void Add(AtlasPlace place);
    std::string_view KeyText(const WordKey& key) const;
    // Puts the places in the order of the lists, most populous first, then by name, region and
    // country, so that the matches in the order of their indices are in the order of the list.
    void OrderPlaces();
    // Indices of the places with a word of the name beginning with `folded`, each once, in order.
    std::vector<std::uint32_t> NameMatches(std::string_view folded) const;
    bool Lacks(const AtlasPlace& addition) const;

    std::vector<AtlasPlace> places_;
    std::vector<FoldedPlace> folded_;
    std::vector<WordKey> keys_; // sorted by their text
};

} // namespace astrodesk
