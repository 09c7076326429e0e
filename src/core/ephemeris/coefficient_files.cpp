#include "ephemeris/coefficient_files.hpp"

#include "shell/utf8_text.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <memory>
#include <optional>
#include <span>
#include <sstream>

namespace astrodesk {

namespace {

// A column read as a whole number (rounded to the nearest, halves to even) and the values the
// theories can use: the multiple tables they build end there.
struct WholeColumn {
    std::size_t column;
    int lowest;
    int highest;
    const char* meaning;
};

constexpr WholeColumn kPerturbWholeColumns[] = {
    {0, -10, 16, "multiple of the planet's own mean anomaly"},
    {1, -10, 10, "multiple of the perturbing planet's mean anomaly"},
    {2, -32768, 32767, "times-T flag"},
};

constexpr WholeColumn kMoonWholeColumns[] = {
    {4, -4, 4, "multiple of l"},
    {5, -3, 3, "multiple of l'"},
    {6, -4, 4, "multiple of F"},
    {7, -6, 6, "multiple of D"},
};

// The largest size a coefficient may have: ten times the largest published term of each file
// (PERTURBS.FIL: 960396, a radius term in 1e-6 AU; MOONBITS.FIL: 22639.5 arcseconds). A value
// beyond it is a damaged file, not a theory, however well it reads as a number.
constexpr double kPerturbCoefficientBound = 1e7;
constexpr double kMoonCoefficientBound = 1e6;

bool IsSeparator(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == ',';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The item as it may be shown in a message: at most 24 characters, unprintable bytes escaped.
std::string Quoted(std::string_view item) {
    std::ostringstream out;
    out << '"';
    for (const char c : item.substr(0, 24)) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7F) {
            out << c;
        } else {
            constexpr char kHex[] = "0123456789ABCDEF";
            out << "\\x" << kHex[byte >> 4] << kHex[byte & 0xF];
        }
    }
    out << (item.size() > 24 ? "...\"" : "\"");
    return out.str();
}

// Digits with an optional decimal point (at least one digit), an optional sign before them and
// an optional exponent after them (E or D, optional sign, digits). Returns the text in the form
// std::from_chars takes (no plus sign, E for D), or an empty text when `item` is no number.
std::string NormalisedNumber(std::string_view item) {
    std::string number;
    std::size_t i = 0;
    if (i < item.size() && (item[i] == '+' || item[i] == '-')) {
        if (item[i] == '-') number += '-';
        ++i;
    }
    std::size_t digits = 0;
    for (; i < item.size() && IsDigit(item[i]); ++i, ++digits)
        number += item[i];
    if (i < item.size() && item[i] == '.') {
        number += item[i++];
        for (; i < item.size() && IsDigit(item[i]); ++i, ++digits)
            number += item[i];
    }
    if (digits == 0) return {};
    if (i < item.size() && (item[i] == 'E' || item[i] == 'e' || item[i] == 'D' || item[i] == 'd')) {
        number += 'e';
        ++i;
        if (i < item.size() && (item[i] == '+' || item[i] == '-')) number += item[i++];
        std::size_t exponentDigits = 0;
        for (; i < item.size() && IsDigit(item[i]); ++i, ++exponentDigits)
            number += item[i];
        if (exponentDigits == 0) return {};
    }
    return i == item.size() ? number : std::string{};
}

// Walks through a free-format text item by item, keeping the line and column for messages.
class ItemScanner {
  public:
    ItemScanner(std::string_view text, const std::string& fileName)
        : text_(text), fileName_(fileName) {}

    // The next item, or nothing at the end of the text. `first` tells that no item precedes
    // it, so that a comma before it stands for an empty item.
    std::optional<std::string_view> Next(bool first) {
        int commas = first ? 1 : 0;
        for (; position_ < text_.size() && IsSeparator(text_[position_]); ++position_) {
            if (text_[position_] == ',' && ++commas > 1)
                FailAt(position_, "an empty item (nothing between two commas)");
            if (text_[position_] == '\n') {
                ++line_;
                lineStart_ = position_ + 1;
            }
        }
        if (position_ == text_.size()) return std::nullopt;
        itemStart_ = position_;
        while (position_ < text_.size() && !IsSeparator(text_[position_]))
            ++position_;
        return text_.substr(itemStart_, position_ - itemStart_);
    }

    NumberItem Item(float value) const { return {value, line_, itemStart_ - lineStart_ + 1}; }

    [[noreturn]] void FailAtItem(const std::string& problem) const { FailAt(itemStart_, problem); }

  private:
    // `offset` lies on the current line.
    [[noreturn]] void FailAt(std::size_t offset, const std::string& problem) const {
        std::ostringstream message;
        message << fileName_ << ", line " << line_ << ", column " << offset - lineStart_ + 1 << ": "
                << problem;
        throw DataFileError(message.str());
    }

    std::string_view text_;
    const std::string& fileName_;
    std::size_t position_ = 0;
    std::size_t itemStart_ = 0;
    std::size_t line_ = 1;
    std::size_t lineStart_ = 0;
};

[[noreturn]] void FailOutside(const std::string& fileName, const NumberItem& item, double lowest,
                              double highest, const char* meaning, int row) {
    std::ostringstream message;
    message << fileName << ", line " << item.line << ", column " << item.column << ": "
            << item.value << " is outside " << lowest << ".." << highest << " (" << meaning
            << ", row " << row << " of the table)";
    throw DataFileError(message.str());
}

// Reads a whole table from the text and replaces `table` only when every item is good: whole
// columns within the multiples the theories form, coefficients within `coefficientBound`.
template <std::size_t Columns, int LastRow>
void ParseTable(std::string_view text, const std::string& fileName,
                std::span<const WholeColumn> wholeColumns, double coefficientBound,
                IndexedArray<std::array<float, Columns>, 0, LastRow>& table) {
    const auto items = ReadFreeFormatNumbers(text, fileName, Columns * (LastRow + 1));
    for (int row = 0; row <= LastRow; ++row) {
        for (std::size_t column = 0; column < Columns; ++column) {
            const NumberItem& item = items[static_cast<std::size_t>(row) * Columns + column];
            const auto whole = std::ranges::find(wholeColumns, column, &WholeColumn::column);
            if (whole == wholeColumns.end()) {
                if (std::abs(item.value) > coefficientBound)
                    FailOutside(fileName, item, -coefficientBound, coefficientBound,
                                "a coefficient, far beyond any published term", row);
                continue;
            }
            const double rounded = std::nearbyint(item.value);
            if (rounded < whole->lowest || rounded > whole->highest)
                FailOutside(fileName, item, whole->lowest, whole->highest, whole->meaning, row);
        }
    }
    for (int row = 0; row <= LastRow; ++row)
        for (std::size_t column = 0; column < Columns; ++column)
            table[row][column] = items[static_cast<std::size_t>(row) * Columns + column].value;
}

// The nearest whole number of a whole-number column, halves to even (ParseTable has checked that
// it fits the multiple tables, and so 16 bits).
std::int16_t RoundColumn(float value) {
    return static_cast<std::int16_t>(std::lrint(value));
}

PerturbRow ConvertPerturbRow(const std::array<float, 9>& row) {
    return {{RoundColumn(row[0]), RoundColumn(row[1]), RoundColumn(row[2])},
            {row[3], row[4], row[5], row[6], row[7], row[8]}};
}

MoonRow ConvertMoonRow(const std::array<float, 8>& row) {
    return {{row[0], row[1], row[2], row[3]},
            {RoundColumn(row[4]), RoundColumn(row[5]), RoundColumn(row[6]), RoundColumn(row[7])}};
}

} // namespace

DataFileText ReadDataFile(const DataFiles& files, const std::string& name) {
    const auto path = files.Find(name);
    if (!path) {
        const NotAFile found = files.WhyNotFound(name);
        if (found.kind != FileKind::Missing)
            throw DataFileError("The data file " + EscapedForMessage(found.path.string()) + " " +
                                std::string(FileKindPhrase(found.kind)));
        throw DataFileError("The data file " + name +
                            " is missing: it belongs in the current folder, beside the program "
                            "or in the installed data folder");
    }
    std::ifstream file(*path, std::ios::binary);
    std::ostringstream text;
    if (file.is_open()) text << file.rdbuf();
    if (!file.is_open() || file.bad())
        throw DataFileError("The data file " + path->string() + " cannot be read");
    return {path->string(), text.str()};
}

std::vector<NumberItem> ReadFreeFormatNumbers(std::string_view text, const std::string& fileName,
                                              std::size_t count) {
    std::vector<NumberItem> items;
    items.reserve(count);
    ItemScanner scanner(text, fileName);
    while (items.size() < count) {
        const auto item = scanner.Next(items.empty());
        if (!item) {
            std::ostringstream message;
            message << fileName << " ends after " << items.size() << " numbers; it must hold "
                    << count;
            throw DataFileError(message.str());
        }
        const std::string number = NormalisedNumber(*item);
        float value = 0.0f;
        const auto [end, error] =
            std::from_chars(number.data(), number.data() + number.size(), value);
        if (number.empty() || end != number.data() + number.size())
            scanner.FailAtItem(Quoted(*item) + " is not a number");
        if (error != std::errc{})
            scanner.FailAtItem(Quoted(*item) + " is beyond the range of single precision");
        items.push_back(scanner.Item(value));
    }
    return items;
}

void ParsePerturbTable(std::string_view text, const std::string& fileName,
                       CoefficientTables& tables) {
    ParseTable(text, fileName, kPerturbWholeColumns, kPerturbCoefficientBound, tables.PerturbTable);
    std::ranges::transform(tables.PerturbTable, tables.PerturbRows.begin(), ConvertPerturbRow);
}

void ParseMoonTable(std::string_view text, const std::string& fileName, CoefficientTables& tables) {
    ParseTable(text, fileName, kMoonWholeColumns, kMoonCoefficientBound, tables.MoonTable);
    std::ranges::transform(tables.MoonTable, tables.MoonRows.begin(), ConvertMoonRow);
}

void LoadPerturbTable(const DataFiles& files, CoefficientTables& tables) {
    const DataFileText file = ReadDataFile(files, kPerturbFileName);
    ParsePerturbTable(file.text, file.shownName, tables);
}

void LoadMoonTable(const DataFiles& files, CoefficientTables& tables) {
    const DataFileText file = ReadDataFile(files, kMoonFileName);
    ParseMoonTable(file.text, file.shownName, tables);
}

void LoadCoefficientTables(const DataFiles& files, CoefficientTables& tables) {
    LoadPerturbTable(files, tables);
    LoadMoonTable(files, tables);
}

void LoadCoefficientTables(const DataFiles& files, SharedCoefficientTables& tables) {
    auto loaded = std::make_unique<CoefficientTables>();
    LoadCoefficientTables(files, *loaded);
    tables = std::move(*loaded);
}

} // namespace astrodesk
