// Numbers to 15 significant digits, checked against the C library's correctly rounded printf
// over millions of values: random bit patterns, short decimals as typed into a sheet, values a
// hair either side of a rounding tie, and the edges of the decades.
#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "common/leading_number.h"
#include "common/number_format.h"

namespace plovis {
namespace {

// printf's "%.15g" as the general form writes it: "1.5E+20" for "1.5e+20".
std::string printfGeneral(double x) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.15g", x);
    std::string s = buffer;
    for (char& c : s)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

std::vector<double> sampleValues() {
    std::mt19937_64 random(20261207);
    std::vector<double> values;
    for (int i = 0; i < 400'000; ++i) {
        double x;
        const std::uint64_t bits = random();
        std::memcpy(&x, &bits, sizeof x);
        if (std::isfinite(x) && x != 0) values.push_back(x);
    }
    for (int i = 0; i < 400'000; ++i) {  // as typed: up to 15 digits, up to 8 places
        const auto digits = static_cast<double>(random() % 1'000'000'000'000'000);
        values.push_back(digits / std::pow(10.0, static_cast<int>(random() % 9)));
    }
    for (int i = 0; i < 200'000; ++i) {  // 16 digits ending in 5: ties of the 15-digit rounding
        const double digits =
            static_cast<double>(100'000'000'000'000 + random() % 900'000'000'000'000);
        const int exponent = static_cast<int>(random() % 40) - 20;
        const std::string tie =
            std::to_string(static_cast<std::int64_t>(digits)) + "5e" + std::to_string(exponent);
        const double x = std::strtod(tie.c_str(), nullptr);
        values.insert(values.end(), {x, std::nextafter(x, 0.0), std::nextafter(x, 1e300), -x});
    }
    for (int e = -30; e <= 30; ++e) {  // the edges of each decade
        const double p = std::pow(10.0, e);
        for (double x : {p, std::nextafter(p, 0.0), std::nextafter(p, 1e300), p * 9.999999999999995,
                         p * 9.9999999999999953, p * 0.99999999999999994})
            values.push_back(x);
    }
    return values;
}

TEST(FifteenDigits, GeneralFormAndItsValueAsPrintfRoundsThem) {
    int wrongText = 0, wrongValue = 0;
    for (double x : sampleValues()) {
        const std::string expected = printfGeneral(x);
        if (generalForm(x) != expected && ++wrongText <= 5)
            ADD_FAILURE() << "generalForm of " << printfGeneral(x) << " is " << generalForm(x);
        const double value = leadingNumber(expected);
        if (!(fifteenDigitValue(x) == value) && ++wrongValue <= 5)
            ADD_FAILURE() << "the value of " << expected << " read as " << fifteenDigitValue(x);
    }
    EXPECT_EQ(wrongText, 0);
    EXPECT_EQ(wrongValue, 0);
}

}  // namespace
}  // namespace plovis
