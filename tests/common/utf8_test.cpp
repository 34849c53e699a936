#include "common/utf8.h"

#include <gtest/gtest.h>

namespace plovis {
namespace {

TEST(Utf8, EncodesEachLengthAtItsBoundaries) {
    const struct {
        char32_t code;
        const char* bytes;
    } cases[] = {{U'A', "A"},
                 {0x7F, "\x7F"},
                 {0x80, "\xC2\x80"},
                 {0xE9, "\xC3\xA9"},
                 {0x7FF, "\xDF\xBF"},
                 {0x800, "\xE0\xA0\x80"},
                 {0xFFFD, "\xEF\xBF\xBD"},
                 {0xFFFF, "\xEF\xBF\xBF"},
                 {0x10000, "\xF0\x90\x80\x80"},
                 {0x10FFFF, "\xF4\x8F\xBF\xBF"}};
    for (const auto& c : cases) {
        std::string out = "x";
        appendUtf8(out, c.code);
        EXPECT_EQ(out, std::string("x") + c.bytes) << std::hex << static_cast<unsigned>(c.code);
    }
}

}  // namespace
}  // namespace plovis
