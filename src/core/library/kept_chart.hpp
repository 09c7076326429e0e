#pragma once

// A chart as the library keeps it: the chart record exactly as the entry rules accept it, and,
// where known, the civil data it was made from (the local clock, the place and its zone), with
// the kind, a note, a source and the bookkeeping of when it was added and changed.

#include "shell/program_state.hpp"

#include <cstdint>
#include <optional>
#include <string>

namespace astrodesk {

struct KeptChart {
    std::int64_t id = 0;       // the library's own number; 0 before the chart is kept
    ChartRecord record;        // name, Greenwich date and time, era, latitude, longitude
    std::string localDate;     // "DD-MM-YYYY" in the record's era, or empty
    std::string localTime;     // "HH:MM:SS" of the local clock, or empty
    std::string placeName;     // "Aix-en-Provence", or empty
    std::string region;        // state, province or county, or empty
    std::string country;       // as the source gave it ("F", "France"), or empty
    std::string zone;          // time-zone name ("Europe/Paris"), or empty
    std::optional<int> offset; // the clock's offset used, local minus Greenwich, in seconds
    std::string abbreviation;  // of the offset used: "CET", "BST", "LMT"; or empty
    std::string kind;          // m male, f female, e event, ... as AAF writes it; or empty
    std::string note;
    std::string source;
    std::string added;   // "YYYY-MM-DDTHH:MM:SSZ", Greenwich; empty before the chart is kept
    std::string changed; // the same form
};

// A kept chart as a listing shows it: its id, record and place name.
struct ListedChart {
    std::int64_t id = 0;
    ChartRecord record;
    std::string placeName;
};

// Two charts are one when they have the same name, moment and place: namesakes born elsewhere
// or at another moment are different charts.
bool SameChart(const KeptChart& a, const KeptChart& b);

// The record's texts in their at-rest forms with EraText filled from ChartEra, as the library
// stores them.
ChartRecord NormalisedRecord(const ChartRecord& record);

} // namespace astrodesk

namespace astrodesk {

// The first field of a record that its entry rule refuses: the field's name ("date") and what
// the rule expects; nothing when every field is accepted.
struct FieldRefusal {
    std::string field;
    std::string message;
};
std::optional<FieldRefusal> RecordRefusal(const ChartRecord& record);

} // namespace astrodesk
