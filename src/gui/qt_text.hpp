#pragma once

// The core's UTF-8 texts as Qt's strings.

#include <QString>
#include <string>

namespace astrodesk {

inline QString FromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace astrodesk
