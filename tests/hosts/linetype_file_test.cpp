#include "hosts/linetype_file.h"

#include <gtest/gtest.h>

#include "common/number_format.h"
#include "hosts/host_error.h"
#include "support/failure_text.h"
#include "support/golden_table.h"
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

// The shipped file: the four families HIDDEN, DASHED, CENTER and DOT in three sizes, the 2
// variants half and the X2 variants twice as long as the plain one, each starting with a dash or
// dot.
TEST(LinetypeFile, ShippedFileHasTheStandardFamiliesInThreeSizes) {
    std::string shown;
    for (const auto& t : readLinetypeFile(test::sourceDir() / "data" / "plovis.lin")) {
        shown += t.name;
        for (double v : t.pattern)
            shown += " " + generalForm(v);
        shown += "\n";
    }
    test::expectGolden(shown, "hosts", "shipped_linetypes");
    // A missing file is a failure naming it.
    EXPECT_NE(test::failureText<HostError>([] {
                  readLinetypeFile("/no/such/dir/acad.lin");
              }).find("/no/such/dir/acad.lin"),
              std::string::npos);
}

}  // namespace
}  // namespace plovis
