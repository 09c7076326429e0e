#include "library/kept_chart.hpp"

#include "shell/record_rules.hpp"

namespace astrodesk {

ChartRecord NormalisedRecord(const ChartRecord& record) {
    ChartRecord normal = record;
    normal.EraText = EraTextOf(record.ChartEra);
    return normal;
}

bool SameChart(const KeptChart& a, const KeptChart& b) {
    const ChartRecord x = NormalisedRecord(a.record), y = NormalisedRecord(b.record);
    return x.ChartName == y.ChartName && x.ChartDate == y.ChartDate && x.ChartTime == y.ChartTime &&
           x.ChartEra == y.ChartEra && x.ChartLatitude == y.ChartLatitude &&
           x.ChartLongitude == y.ChartLongitude;
}

std::optional<FieldRefusal> RecordRefusal(const ChartRecord& record) {
    if (!AcceptName(record.ChartName))
        return FieldRefusal{"name", "a name that is not empty, in UTF-8, without control "
                                    "characters such as line breaks"};
    if (!AcceptDate(record.ChartDate))
        return FieldRefusal{"date", "DD-MM-YYYY with day 01-31, month 01-12 and year 0001-9999"};
    if (!AcceptTime(record.ChartTime))
        return FieldRefusal{"time", "Greenwich time HH:MM:SS with hours 00-23, minutes and "
                                    "seconds 00-59"};
    if (!AcceptLatitude(record.ChartLatitude))
        return FieldRefusal{"latitude", "DDSMM such as 51N32 (degrees 00-89, N or S, minutes "
                                        "00-60)"};
    if (!AcceptLongitude(record.ChartLongitude))
        return FieldRefusal{"longitude", "DDDSMM such as 002W13 (degrees 000-179, E or W, "
                                         "minutes 00-60)"};
    if (record.ChartEra != 0 && record.ChartEra != 1) return FieldRefusal{"era", "A.D. or B.C."};
    return std::nullopt;
}

} // namespace astrodesk
