// The computations run on a real .xlsx file through the plovis program, and the results read
// back by an independent reader (openpyxl).
#include <gtest/gtest.h>

#include "support/file_bytes.h"
#include "support/run_command.h"
#include "support/test_paths.h"

namespace plovis {
namespace {

class ComputationCommands : public ::testing::Test {
  protected:
    void SetUp() override {
        const auto made = test::runProgram(
            "/usr/bin/python3",
            {(test::sourceDir() / "tests/cli/computation_scheme.py").string(), book.string()});
        ASSERT_EQ(made.status, 0) << made.errors;
    }

    test::CommandResult plovis(std::vector<std::string> args) {
        return test::runProgram((test::binaryDir() / "src/plovis").string(), args);
    }

    // The values of a range as openpyxl reads them, as JSON rows.
    std::string cells(const std::string& sheet, const std::string& range) {
        const auto r =
            test::runProgram("/usr/bin/python3",
                             {(test::sourceDir() / "tests/hosts/xlsx/openpyxl_oracle.py").string(),
                              "cells", book.string(), sheet, range});
        EXPECT_EQ(r.status, 0) << r.errors;
        return r.output;
    }

    test::ScratchDir dir{"computations"};
    std::filesystem::path book = dir / "scheme.xlsx";
};

TEST_F(ComputationCommands, WaterDemandWritesTheDemandRow) {
    const auto r = plovis({"water-demand", book.string()});
    ASSERT_EQ(r.status, 0) << r.output << r.errors;
    EXPECT_EQ(r.output, "PLOVIS: Congratulation computation is successful\n");
    // 100 heads at 2 % over 15 years: 135; 135 x 45 = 6075 a day; 6075 / 86400 = 0.07 per second.
    EXPECT_EQ(cells("Water Demand", "G20:S20"),
              "[[100, 135, 6075, null, null, null, 0, 6075, 0.07, 3, 0.21, 0.21, 3]]\n");
}

TEST_F(ComputationCommands, PipeHeadLossSolvesTheFrictionFactorAndKeepsOtherFormulas) {
    const auto r = plovis({"pipe-head-loss", book.string(), "--no"});
    ASSERT_EQ(r.status, 0) << r.output << r.errors;
    EXPECT_EQ(cells("PD-CW-Sample", "AG16:AG16"), "[[0.018514]]\n");
    EXPECT_EQ(cells("PD-CW-Sample", "Z16:Z16"), "[[\"=AI16*2\"]]\n");
}

TEST_F(ComputationCommands, BranchPointsAndLevelsListTheSectionsWithTheirLengths) {
    const auto r = plovis({"branch-points-and-levels", book.string(), "--no"});
    ASSERT_EQ(r.status, 0) << r.output << r.errors;
    EXPECT_EQ(
        cells("PD-CW-Sample", "B15:D18"),
        "[[null, \"Main\", null], [1, \"A\", \"B\"], [2, \"B\", \"D\"], [3, \"D\", \"E\"]]\n");
    EXPECT_EQ(cells("PD-CW-Sample", "E17:F17"), "[[160, 176]]\n");
    EXPECT_EQ(cells("PD-CW-Sample", "I17:J17"), "[[1290, 1270]]\n");
}

TEST_F(ComputationCommands, SaveAsLeavesTheWorkbookAsItWas) {
    const auto before = test::readBytes(book);
    const auto copy = dir / "copy.xlsx";
    const auto r = plovis({"water-demand", book.string(), "--save-as", copy.string(), "--quiet"});
    ASSERT_EQ(r.status, 0) << r.errors;
    EXPECT_EQ(test::readBytes(book), before);
    EXPECT_TRUE(std::filesystem::exists(copy));
}

TEST_F(ComputationCommands, AMissingSheetIsAReportedFailureAndNothingIsSaved) {
    const auto before = test::readBytes(book);
    const auto r = plovis({"rise-fall", book.string()});
    EXPECT_EQ(r.status, 1);
    // The level book's message names the ground profile sheet, as the system always has.
    EXPECT_EQ(r.output,
              "PLOVIS [critical]: Please open the correct data file that contains the sheet named "
              "GroundProfile\n");
    EXPECT_EQ(test::readBytes(book), before);
}

}  // namespace
}  // namespace plovis
