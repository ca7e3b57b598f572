#pragma once
#include <cmath>
#include <limits>
#include <string>

namespace Velmora {

// Script numbers used as integers are truncated toward zero; NaN and values beyond
// the int range are clamped, since a file may hold anything.
inline int TruncateToInt(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    if (value >= static_cast<double>(std::numeric_limits<int>::max())) {
        return std::numeric_limits<int>::max();
    }
    if (value <= static_cast<double>(std::numeric_limits<int>::min())) {
        return std::numeric_limits<int>::min();
    }
    return static_cast<int>(value);
}

// Whole texts as numbers, for command lines and input files: false for anything but
// one number (and for doubles, anything not finite).
bool ParseLong(const std::string& text, long& out);
bool ParseDouble(const std::string& text, double& out);

}  // namespace Velmora
