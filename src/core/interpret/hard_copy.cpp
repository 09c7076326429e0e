#include "interpret/hard_copy.hpp"

#include "shell/utf8_text.hpp"

namespace astrodesk {

namespace {

constexpr std::size_t kColumns = kPrinterColumns;

bool BindsNext(Binding binding) {
    return binding == Binding::Next || binding == Binding::Both;
}
bool BindsPrevious(Binding binding) {
    return binding == Binding::Previous || binding == Binding::Both;
}

} // namespace

void HardCopy::Line(const std::string& text, Binding binding) {
    if (printer_) held_.push_back({text, binding});
}

void HardCopy::Heading(const ChartRecord& record, bool beforeChrist) {
    Line("NAME = " + record.ChartName);
    Line("DATE = " + record.ChartDate + (beforeChrist ? " B.C." : " A.D.") +
         "   TIME = " + record.ChartTime);
    Line("LAT = " + record.ChartLatitude + "   LON = " + record.ChartLongitude);
    Line("");
}

std::size_t HardCopy::GroupEnd(std::size_t first) const {
    std::size_t end = first + 1;
    std::size_t last = first; // the group's last line that is not empty
    for (std::size_t next = end; next < held_.size(); ++next) {
        if (held_[next].text.empty()) continue;
        if (held_[last].text.empty() ||
            !(BindsNext(held_[last].binding) || BindsPrevious(held_[next].binding)))
            break;
        last = next;
        end = next + 1;
    }
    return end;
}

int HardCopy::Rows(std::size_t line) const {
    const std::size_t characters = CharacterCount(held_[line].text);
    if (characters == 0)
        return line > 0 && CharacterCount(held_[line - 1].text) == kColumns ? 0 : 1;
    return static_cast<int>((characters + kColumns - 1) / kColumns);
}

void HardCopy::Print(std::size_t line) {
    if (printer_->CurrentY() > kPageBreakMillimetres) printer_->NewPage();
    const std::string& text = held_[line].text;
    if (CharacterCount(text) == kColumns)
        printer_->PrintJoined(text);
    else
        printer_->PrintLine(text);
}

void HardCopy::EndDoc() {
    if (!printer_) return;
    for (std::size_t first = 0; first < held_.size();) {
        const std::size_t end = GroupEnd(first);
        // Rows from the group's start to the start of its last line.
        int rowsBeforeLast = 0;
        for (std::size_t line = first; line + 1 < end; ++line)
            rowsBeforeLast += Rows(line);
        const double y = printer_->CurrentY();
        const double lastStart = y + rowsBeforeLast * printer_->LineHeight();
        // At a page top the group starts where it can; one taller than a page breaks anyhow.
        if (y > 0.0 && lastStart > kPageBreakMillimetres &&
            rowsBeforeLast * printer_->LineHeight() <= kPageBreakMillimetres)
            printer_->NewPage();
        for (std::size_t line = first; line < end; ++line)
            Print(line);
        first = end;
    }
    held_.clear();
    printer_->EndDoc();
}

} // namespace astrodesk
