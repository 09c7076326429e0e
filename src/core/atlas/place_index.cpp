#include "atlas/place_index.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <numeric>
#include <optional>
#include <tuple>

namespace astrodesk {

namespace {

constexpr double kNearbyDegrees = 1.0; // an addition this near a namesake is already there

// The query split at its commas: the name, the narrowing words and the number in the list.
struct PlaceQuery {
    std::string name;
    std::vector<std::string> narrowing;
    std::optional<std::size_t> number; // 1 for the first of the list
};

std::optional<std::size_t> WholeNumber(std::string_view text) {
    std::size_t number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
    return number;
}

PlaceQuery SplitQuery(std::string_view query) {
    PlaceQuery split;
    const std::size_t comma = query.find(',');
    split.name = FoldedForSearch(query.substr(0, comma)).text;
    for (std::size_t start = comma; start != std::string_view::npos;) {
        const std::size_t next = query.find(',', start + 1);
        std::string part = FoldedForSearch(query.substr(start + 1, next - start - 1)).text;
        start = next;
        if (part.empty()) continue;
        if (const auto number = WholeNumber(part))
            split.number = number;
        else
            split.narrowing.push_back(std::move(part));
    }
    return split;
}

bool MorePopulousFirst(const AtlasPlace& a, const AtlasPlace& b) {
    return std::tie(b.population, a.name, a.region, a.country) <
           std::tie(a.population, b.name, b.region, b.country);
}

bool Near(const AtlasPlace& a, const AtlasPlace& b) {
    return std::abs(a.latitudeDeg - b.latitudeDeg) <= kNearbyDegrees &&
           std::abs(a.longitudeDeg - b.longitudeDeg) <= kNearbyDegrees;
}

} // namespace

PlaceIndex::PlaceIndex(std::vector<AtlasPlace> places, const std::vector<AtlasPlace>& additions) {
    places_.reserve(places.size() + additions.size());
    for (AtlasPlace& place : places)
        Add(std::move(place));
    const auto byText = [this](const WordKey& a, const WordKey& b) {
        return KeyText(a) < KeyText(b);
    };
    std::sort(keys_.begin(), keys_.end(), byText);
    std::vector<AtlasPlace> missing;
    std::copy_if(additions.begin(), additions.end(), std::back_inserter(missing),
                 [this](const AtlasPlace& addition) { return Lacks(addition); });
    const std::size_t indexed = keys_.size();
    for (AtlasPlace& place : missing)
        Add(std::move(place));
    std::sort(keys_.begin() + static_cast<std::ptrdiff_t>(indexed), keys_.end(), byText);
    std::inplace_merge(keys_.begin(), keys_.begin() + static_cast<std::ptrdiff_t>(indexed),
                       keys_.end(), byText);
    OrderPlaces();
}

void PlaceIndex::OrderPlaces() {
    std::vector<std::uint32_t> order(places_.size());
    std::iota(order.begin(), order.end(), 0u);
    std::sort(order.begin(), order.end(), [this](std::uint32_t a, std::uint32_t b) {
        return MorePopulousFirst(places_[a], places_[b]);
    });
    std::vector<std::uint32_t> rank(places_.size());
    std::vector<AtlasPlace> places;
    std::vector<FoldedPlace> folded;
    places.reserve(places_.size());
    folded.reserve(places_.size());
    for (std::uint32_t position = 0; position < order.size(); ++position) {
        rank[order[position]] = position;
        places.push_back(std::move(places_[order[position]]));
        folded.push_back(std::move(folded_[order[position]]));
    }
    places_ = std::move(places);
    folded_ = std::move(folded);
    for (WordKey& key : keys_)
        key.place = rank[key.place];
}

void PlaceIndex::Add(AtlasPlace place) {
    const auto index = static_cast<std::uint32_t>(places_.size());
    FoldedPlace folded{FoldedForSearch(place.name), FoldedForSearch(place.region),
                       FoldedForSearch(place.country)};
    for (const std::uint32_t start : folded.name.wordStarts)
        keys_.push_back({index, start});
    folded_.push_back(std::move(folded));
    places_.push_back(std::move(place));
}

std::string_view PlaceIndex::KeyText(const WordKey& key) const {
    return std::string_view(folded_[key.place].name.text).substr(key.start);
}

std::vector<std::uint32_t> PlaceIndex::NameMatches(std::string_view folded) const {
    std::vector<std::uint32_t> matches;
    if (folded.empty()) return matches;
    auto key = std::lower_bound(
        keys_.begin(), keys_.end(), folded,
        [this](const WordKey& key, std::string_view text) { return KeyText(key) < text; });
    for (; key != keys_.end() && KeyText(*key).starts_with(folded); ++key)
        matches.push_back(key->place);
    std::sort(matches.begin(), matches.end());
    matches.erase(std::unique(matches.begin(), matches.end()), matches.end());
    return matches;
}

bool PlaceIndex::Lacks(const AtlasPlace& addition) const {
    const FoldedText folded = FoldedForSearch(addition.name);
    const auto near = [this, &addition](std::uint32_t place) {
        return Near(places_[place], addition);
    };
    if (std::ranges::any_of(NameMatches(folded.text), near)) return false;
    // A name that is the addition's first words: "Vatican" for "Vatican City".
    for (std::size_t word = 1; word < folded.wordStarts.size(); ++word) {
        std::size_t end = folded.wordStarts[word];
        if (folded.text[end - 1] == ' ') --end;
        const std::string_view firstWords = std::string_view(folded.text).substr(0, end);
        for (const std::uint32_t place : NameMatches(firstWords))
            if (folded_[place].name.text == firstWords && near(place)) return false;
    }
    return true;
}

std::vector<AtlasPlace> PlaceIndex::Find(std::string_view query) const {
    const PlaceQuery split = SplitQuery(query);
    const std::vector<std::uint32_t> matches = NameMatches(split.name);
    std::vector<AtlasPlace> found;
    found.reserve(matches.size());
    for (const std::uint32_t match : matches) {
        const FoldedPlace& folded = folded_[match];
        if (std::all_of(
                split.narrowing.begin(), split.narrowing.end(), [&folded](const std::string& term) {
                    return BeginsAWord(folded.region, term) || BeginsAWord(folded.country, term);
                }))
            found.push_back(places_[match]);
    }
    if (!split.number) return found;
    if (*split.number < 1 || *split.number > found.size()) return {};
    return {found[*split.number - 1]};
}

} // namespace astrodesk
