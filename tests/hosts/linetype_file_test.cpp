#include "hosts/linetype_file.h"

#include <gtest/gtest.h>

#include "hosts/golden_table.h"
#include "hosts/host_error.h"
#include "support/failure_text.h"
#include "support/test_paths.h"

namespace plovis {
namespace {

std::string failureOf(const std::string& contents) {
    return test::failureText<HostError>([&] { parseLinetypes(contents, "test.lin"); });
}

TEST(LinetypeFile, ReadsHeadersPatternsAndSkipsComments) {
    const auto types = parseLinetypes(
        ";; comment\r\n*BORDER,Border __ __ . __\r\nA,12.7,-6.35,0,-6.35\r\n\r\n*PLAIN\nA,+1\n",
        "test.lin");
    ASSERT_EQ(types.size(), 2u);
    EXPECT_EQ(types[0].name + "|" + types[0].description + "|" + types[1].name + "|" +
                  types[1].description,
              "BORDER|Border __ __ . __|PLAIN|");
    EXPECT_EQ(types[0].pattern, (std::vector<double>{12.7, -6.35, 0, -6.35}));
    EXPECT_DOUBLE_EQ(types[0].patternLength(), 25.4);
    EXPECT_EQ(types[1].pattern, (std::vector<double>{1}));
}

TEST(LinetypeFile, MalformedDefinitionsNameTheLine) {
    test::expectGoldenTable("hosts", "malformed_linetypes", failureOf);
}

// The shipped file: the four families in three sizes, the 2 variants half and the X2 variants
// twice as long as the plain one.
TEST(LinetypeFile, ShippedFileHasTheStandardFamiliesInThreeSizes) {
    const auto types = readLinetypeFile(test::sourceDir() / "data" / "plovis.lin");
    auto pattern = [&](const std::string& name) {
        for (const auto& t : types) {
            if (t.name == name) return t.pattern;
        }
        ADD_FAILURE() << name << " is missing";
        return std::vector<double>{};
    };
    for (const std::string family : {"HIDDEN", "DASHED", "CENTER", "DOT"}) {
        const auto plain = pattern(family);
        const auto half = pattern(family + "2");
        const auto twice = pattern(family + "X2");
        ASSERT_FALSE(plain.empty()) << family;
        ASSERT_EQ(half.size(), plain.size()) << family;
        ASSERT_EQ(twice.size(), plain.size()) << family;
        for (std::size_t i = 0; i < plain.size(); ++i) {
            EXPECT_DOUBLE_EQ(half[i] * 2, plain[i]) << family;
            EXPECT_DOUBLE_EQ(twice[i], plain[i] * 2) << family;
        }
        EXPECT_GT(plain.front(), -1e-12) << family << " starts with a dash or dot";
    }
    EXPECT_EQ(types.size(), 12u);
    // A missing file is a failure naming it.
    EXPECT_NE(test::failureText<HostError>([] {
                  readLinetypeFile("/no/such/dir/acad.lin");
              }).find("/no/such/dir/acad.lin"),
              std::string::npos);
}

}  // namespace
}  // namespace plovis
