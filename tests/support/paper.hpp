#pragma once

// A printer double: paper as pages of printed texts.

#include "shell/platform.hpp"

#include <string>
#include <vector>

namespace astrodesk::testing {

// Paper as a list of pages of printed texts; a text printed without ending its line is marked
// by a trailing "|". The position grows by lineHeight for each line ended, from startY on the
// first page.
class Paper : public Printer {
  public:
    double startY = 0.0;
    double lineHeight = 4.0;
    std::vector<std::vector<std::string>> pages{{}};
    int documentsEnded = 0;

    void PrintLine(const std::string& text) override {
        pages.back().push_back(text);
        ++linesOnPage_;
    }
    void PrintJoined(const std::string& text) override { pages.back().push_back(text + "|"); }
    double CurrentY() const override {
        return (pages.size() == 1 ? startY : 0.0) + lineHeight * linesOnPage_;
    }
    double LineHeight() const override { return lineHeight; }
    void NewPage() override {
        pages.emplace_back();
        linesOnPage_ = 0;
    }
    void EndDoc() override { ++documentsEnded; }

    std::vector<std::string> AllLines() const {
        std::vector<std::string> all;
        for (const auto& page : pages)
            all.insert(all.end(), page.begin(), page.end());
        return all;
    }

  private:
    int linesOnPage_ = 0;
};

} // namespace astrodesk::testing
