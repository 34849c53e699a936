#include "schematic/single_form.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

#include "common/number_format.h"

namespace plovis {

std::string singleForm(float value) {
    if (!std::isfinite(value) || value == 0) return generalForm(value);
    // The 7 significant digits as d.dddddde±xx, independent of the locale.
    char digits[32];
    const auto written = std::to_chars(digits, digits + sizeof digits, static_cast<double>(value),
                                       std::chars_format::scientific, 6);
    const std::string_view text(digits, static_cast<std::size_t>(written.ptr - digits));
    const std::size_t e = text.find('e');
    const int exponent = std::atoi(std::string(text.substr(e + 1)).c_str());
    if (exponent < 7) {
        double rounded = 0;
        std::from_chars(text.data(), text.data() + text.size(), rounded);
        return generalForm(rounded);
    }
    std::string mantissa(text.substr(0, e));
    mantissa.erase(mantissa.find_last_not_of('0') + 1);
    if (mantissa.back() == '.') mantissa.pop_back();
    return mantissa + "E+" + (exponent < 10 ? "0" : "") + std::to_string(exponent);
}

}  // namespace plovis
