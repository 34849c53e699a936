// The sample scheme workbook: every computation runs on it without an error message and writes
// back what the sample holds (it is their result), and it is what its generator makes.
#include <gtest/gtest.h>

#include <cmath>

#include "commands/design_commands.h"
#include "commands/survey_commands.h"
#include "hosts/xlsx/zip_archive.h"
#include "sample_fixture.h"
#include "support/file_bytes.h"
#include "support/message_boxes.h"
#include "support/run_command.h"

namespace plovis {
namespace {

using test::differences;
using test::kLowClassRow;
using test::SampleFixture;

constexpr const char* kComplete = "Processing is complete";
constexpr const char* kSuccess = "Congratulation computation is successful";
constexpr const char* kReading = "Reading data from excel.Please wait...";
constexpr const char* kProcessing = "processing data from excel.Please wait...";
constexpr const char* kDemand = "Processing for water demand calculation.Please wait...";

std::string lowClassQuestion() {
    return "At row number = " + std::to_string(kLowClassRow) +
           " ,the static pressure = 62.25\r exceeds the bearing pressure of the provided pipe of "
           "class 6 Kg/cm2\r So you are requested to provide higher class pipe. Do you want to "
           "increase capacity?";
}

// Each computation shows its caption, then the routine's own, and clears it; it says its own
// message, restores the calculation mode and writes back what the sample holds. The one-step
// survey processing walks the four branches four times under two captions.
TEST(SampleWorkbook, EveryComputationWritesBackWhatTheSampleHolds) {
    const std::vector<std::string> done{kComplete};
    const auto branches = test::branchCaptions({1, 2, 3, 4});
    std::vector<std::string> processing{kReading};
    for (int walk = 0; walk < 4; ++walk) {  // reduction, transfer | section list, lengths
        if (walk == 2) processing.push_back(kProcessing);
        processing.insert(processing.end(), branches.begin(), branches.end());
    }
    processing.push_back("");
    // clang-format off
    const struct { const char* name;
        bool (*run)(SpreadsheetHost&, UserInterface&, const CommandSettings&);
        std::vector<std::string> captions, messages; } cases[] = {
        {"water-demand", waterDemandCommand, {kDemand}, {kSuccess}},
        {"rise-fall", riseFallCommand, {kReading}, done},
        {"level-to-ground-profile", levelToGroundProfileCommand, {kDemand}, done},
        {"rise-fall-to-ground-profile", riseFallToGroundProfileCommand, {kReading}, done},
        {"branch-points", branchPointsCommand, {kReading}, done},
        {"pipe-length", pipeLengthCommand, {kReading}, done},
        {"branch-points-and-levels", branchPointsAndLevelsCommand, {kProcessing}, done},
        {"survey-process", surveyDataProcessCommand, processing, {kComplete, kComplete}}};
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SampleFixture f;
        const test::WorkbookCells before = test::cellsOf(*f.workbook);
        EXPECT_TRUE(c.run(f.host, f.ui, {}));
        auto captions = f.ui.captions(StatusLabel::MainStatus);
        ASSERT_GE(captions.size(), 2u);
        EXPECT_EQ(captions.back(), "");
        if (c.captions.size() == 1) captions.resize(1);  // then the routine's own
        EXPECT_EQ(captions, c.captions);
        EXPECT_EQ(f.ui.messageTexts(), c.messages);
        EXPECT_EQ(f.workbook->calculation(), Calculation::Automatic);
        EXPECT_TRUE(f.workbook->modified());  // it did write
        EXPECT_EQ(differences(before, test::cellsOf(*f.workbook)), std::vector<std::string>{});
    }
}

// Only the pipe class left low on purpose asks to be raised; raising it changes it alone (class 10
// then bears the 62.25 m: no second question).
TEST(SampleWorkbook, OnlyThePipeClassLeftLowOnPurposeAsksToBeRaised) {
    const std::string raised = "PD-CW-Sample!P" + std::to_string(kLowClassRow) + ": 6 became 10";
    for (const auto& [answer, changes] : {std::pair{Answer::No, std::vector<std::string>{}},
                                          std::pair{Answer::Yes, std::vector{raised}}}) {
        SampleFixture f;
        const test::WorkbookCells before = test::cellsOf(*f.workbook);
        f.ui.script({answer});
        EXPECT_TRUE(pipeHeadLossCommand(f.host, f.ui));
        EXPECT_EQ(f.ui.messageTexts(), (std::vector<std::string>{lowClassQuestion(), kSuccess}));
        EXPECT_EQ(differences(before, test::cellsOf(*f.workbook)), changes);
    }
}

TEST(SampleWorkbook, TheAbneyBookGivesTheSameGroundWithinAFewDecimetres) {
    SampleFixture f;
    MemoryWorksheet& ground = f.workbook->sheet("GroundProfile");
    const int last = ground.lastRow();
    std::vector<CellValue> labels, levels;
    for (int row = 4; row <= last; ++row) {
        labels.push_back(ground.cell(row, 2));
        levels.push_back(ground.cell(row, 4));
    }
    const test::WorkbookCells before = test::cellsOf(*f.workbook);
    EXPECT_TRUE(abneyCommand(f.host, f.ui));
    EXPECT_EQ(f.ui.messageTexts(), std::vector<std::string>{kComplete});
    // Its own reduction is what the sample holds; only the ground profile takes its levels.
    for (const std::string& d : differences(before, test::cellsOf(*f.workbook)))
        EXPECT_TRUE(d.starts_with("GroundProfile!C") || d.starts_with("GroundProfile!D")) << d;
    EXPECT_EQ(ground.lastRow(), last);
    double worst = 0;
    for (int row = 4; row <= last; ++row) {
        EXPECT_EQ(ground.cell(row, 2), labels[row - 4]) << "row " << row;
        worst = std::max(worst,
                         std::abs(cellNumber(ground.cell(row, 4)) - cellNumber(levels[row - 4])));
    }
    EXPECT_GT(worst, 0.0);  // a second survey, not a copy of the first
    EXPECT_LE(worst, 0.5);
}

TEST(SampleWorkbook, IsWhatItsGeneratorMakes) {
    test::ScratchDir dir("sample-generator");
    const auto made = dir / "Pipe_Design_Sample.xlsx";
    const auto r = test::runProgram(
        (test::binaryDir() / "tools/sample_workbook/make_sample_workbook").string(),
        {made.string()});
    ASSERT_EQ(r.status, 0) << r.output << r.errors;
    // Compared part by part once inflated, so that another deflate library's bytes still match.
    const std::string shippedBytes = test::readBytes(test::samplePath());
    const std::string madeBytes = test::readBytes(made);
    xlsx::ZipReader shipped(shippedBytes), fresh(madeBytes);
    ASSERT_EQ(shipped.entryCount(), fresh.entryCount());
    for (std::uint64_t i = 0; i < shipped.entryCount(); ++i) {
        ASSERT_EQ(shipped.name(i), fresh.name(i));
        EXPECT_EQ(shipped.read(i), fresh.read(i))
            << shipped.name(i) << " differs: run `cmake --build build --target sample-workbook`";
    }
}

// Through the program on a copy of the file, as the README's walkthrough runs it: the computed
// copy holds what the sample holds, and a second reader (openpyxl) opens both cleanly, every
// formula with its calculated value and the design table's hydraulics still formulas.
TEST(SampleWorkbook, TheProgramRunsTheComputationsOnACopyThatASecondReaderOpens) {
    test::ScratchDir dir("sample-program");
    const auto copy = dir / "scheme.xlsx";
    std::filesystem::copy_file(test::samplePath(), copy);
    const std::string plovis = (test::binaryDir() / "src/plovis").string();
    for (const auto& args :
         std::vector<std::vector<std::string>>{{"pipe-head-loss", copy.string(), "--no"},
                                               {"survey-process", copy.string(), "--quiet"},
                                               {"water-demand", copy.string(), "--quiet"}}) {
        const auto r = test::runProgram(plovis, args);
        EXPECT_EQ(r.status, 0) << args[0] << r.output << r.errors;
    }
    auto shipped = XlsxWorkbook::open(test::samplePath());
    auto computed = XlsxWorkbook::open(copy);
    EXPECT_EQ(differences(test::cellsOf(*shipped), test::cellsOf(*computed)),
              std::vector<std::string>{});
    for (const auto& file : {test::samplePath(), copy}) {
        const auto r = test::runProgram(
            "/usr/bin/python3",
            {(test::sourceDir() / "tests/sample/sample_check.py").string(), file.string()});
        EXPECT_EQ(r.status, 0) << file << r.output << r.errors;
        EXPECT_EQ(r.errors, "");
    }
}

}  // namespace
}  // namespace plovis
