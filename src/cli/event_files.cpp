#include "event_files.hpp"

#include "interpret/factors.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <nlohmann/json.hpp>
#include <tuple>

namespace astrodesk::cli {

namespace {

using json = nlohmann::ordered_json;

std::string Number(const char* format, double value) {
    char text[40];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

// The fields every format shares, in their order: name and text.
std::vector<std::pair<std::string, std::string>> Fields(const ListedEvent& listed) {
    const Event& e = listed.event;
    const MomentText moment = MomentTextOf(e.julianCenturies);
    std::vector<std::pair<std::string, std::string>> fields = {
        {"kind", std::string(EventKindName(e.kind))},
        {"body", std::string(PointKey(e.body))},
        {"target", EventTargetName(e)},
        {"aspect", std::string(AspectName(e.aspect))},
        {"phase", std::string(EventPhaseName(e.phase))},
        {"date", moment.date},
        {"time", moment.time},
        {"era", moment.era}};
    if (listed.local)
        for (const auto& [name, value] : {std::pair{"localDate", listed.local->moment.date},
                                          {"localTime", listed.local->moment.time},
                                          {"localEra", listed.local->moment.era},
                                          {"utcOffset", listed.local->offset},
                                          {"zoneAbbreviation", listed.local->abbreviation}})
            fields.emplace_back(name, value);
    return fields;
}

// The longitudes as JSON numbers and CSV texts: degrees to a ten-thousandth of an arcsecond.
constexpr const char* kLongitudeFormat = "%.8f";
constexpr const char* kJulianDayFormat = "%.8f"; // a millisecond

} // namespace

void WriteEventText(const std::vector<ListedEvent>& events, std::ostream& out) {
    for (const ListedEvent& listed : events) {
        std::string local;
        if (listed.local) { // abbreviations of up to six letters keep the columns aligned
            local = listed.local->moment.date + ' ' + listed.local->moment.time + ' ' +
                    listed.local->abbreviation;
            local.resize(std::max<std::size_t>(local.size(), 26), ' ');
        }
        out << EventLine(listed.event, local) << '\n';
    }
}

void WriteEventJson(const std::vector<ListedEvent>& events, std::ostream& out) {
    json list = json::array();
    for (const ListedEvent& listed : events) {
        json item;
        for (const auto& [name, value] : Fields(listed))
            item[name] = value;
        item["julianDay"] = listed.event.julianDay;
        item["longitude"] = listed.event.longitude;
        item["targetLongitude"] = listed.event.targetLongitude;
        list.push_back(item);
    }
    out << list.dump(2) << '\n';
}

void WriteEventCsv(const std::vector<ListedEvent>& events, bool local, std::ostream& out) {
    const ListedEvent columns{Event{}, local ? std::optional(LocalMoment{}) : std::nullopt};
    for (const auto& field : Fields(columns))
        out << field.first << ',';
    out << "julianDay,longitude,targetLongitude\r\n";
    for (const ListedEvent& listed : events) {
        const auto fields = Fields(listed);
        for (const auto& field : fields)
            out << field.second << ',';
        const Event& e = listed.event;
        out << Number(kJulianDayFormat, e.julianDay) << ',' << Number(kLongitudeFormat, e.longitude)
            << ',' << Number(kLongitudeFormat, e.targetLongitude) << "\r\n";
    }
}

} // namespace astrodesk::cli
