#include "hosts/linetype_file.h"

#include <gtest/gtest.h>

#include "common/number_format.h"
#include "hosts/host_error.h"
#include "support/failure_text.h"
#include "support/golden_table.h"
#include "support/test_paths.h"

namespace plovis {
namespace {

// Each line type read as "<name> '<description>' <pattern> (<length>)", or the failure.
std::string outcome(const std::string& contents) {
    std::string shown;
    try {
        for (const CadLinetype& t : parseLinetypes(contents, "test.lin")) {
            shown += (shown.empty() ? "" : " | ") + t.name + " '" + t.description + "'";
            for (double v : t.pattern)
                shown += " " + generalForm(v);
            shown += " (" + generalForm(t.patternLength()) + ")";
        }
    } catch (const HostError& e) {
        return e.what();
    }
    return shown;
}

// Headers, patterns and comments read; malformed definitions fail naming the line.
TEST(LinetypeFile, ReadsDefinitionsAndNamesTheLineOfAMalformedOne) {
    test::expectGoldenTable("hosts", "linetype_files", outcome);
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
