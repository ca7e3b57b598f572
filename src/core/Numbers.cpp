#include "core/Numbers.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace Velmora {

bool ParseLong(const std::string& text, long& out) {
    if (text.empty()) {
        return false;
    }
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(text.c_str(), &end, 10);
    if (errno != 0 || end == nullptr || *end != '\0') {
        return false;
    }
    out = value;
    return true;
}

bool ParseDouble(const std::string& text, double& out) {
    if (text.empty()) {
        return false;
    }
    char* end = nullptr;
    errno = 0;
    double value = std::strtod(text.c_str(), &end);
    // A number too small for a double also sets ERANGE; it is still a number, and one
    // that is not zero, so it keeps its sign and stays off zero.
    const bool underflow = errno == ERANGE && std::fabs(value) <= 1.0;
    if ((errno != 0 && !underflow) || end == nullptr || *end != '\0' || !std::isfinite(value)) {
        return false;
    }
    if (underflow && value == 0.0) {
        value = std::copysign(std::numeric_limits<double>::denorm_min(), value);
    }
    out = value;
    return true;
}

}  // namespace Velmora
