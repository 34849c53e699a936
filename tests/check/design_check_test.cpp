#include "check/design_check.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "check/check_report.h"
#include "commands/design_check_command.h"
#include "doubles/recording_user_interface.h"
#include "hosts/memory_workbook.h"
#include "support/failing_workbook.h"
#include "support/failure_text.h"
#include "support/sheet_rows.h"

namespace plovis {
namespace {

// Columns of "PD-CW-Sample".
enum : int { B = 2, C, D, E, F, G, I = 9, J, L = 12, N = 14, P = 16, T = 20, U, W = 23, X, Y };
enum : int { AB = 28, AG = 33, AI = 35, AJ, AK };

// A line of two sections that keeps every default limit: IN1 (100 m) to J1 (90 m) to T1
// (80 m), 100 m each, the grade line falling 100 - 98 - 95.
struct Scheme {
    MemoryWorkbook workbook{"scheme.xlsx"};
    MemoryWorksheet& pd = workbook.addSheet("PD-CW-Sample");
    MemoryWorksheet& ground = workbook.addSheet("GroundProfile");
    test::SingleWorkbookHost host{&workbook};
    RecordingUserInterface ui;

    Scheme() {
        pd.load(15, C, std::string("Line A"));
        section(16, 1, "IN1", "J1", {100, 90, 10, 0, 100, 98, 8});
        section(17, 2, "J1", "T1", {90, 80, 20, 8, 98, 95, 15});
        ground.load(4, B, std::string("Line A"));
        const std::vector<std::tuple<std::string, double, double>> points = {
            {"IN1", 0, 100}, {"P1", 50, 96}, {"J1", 50, 90}, {"P2", 50, 86}, {"T1", 50, 80}};
        for (std::size_t k = 0; k < points.size(); ++k)
            groundPoint(5 + static_cast<int>(k), points[k]);
    }

    // start and end ground, static pressure at the end, residual at the start, grade levels at
    // both ends, residual at the end.
    void section(int row, int number, const char* from, const char* to, std::array<double, 7> v) {
        pd.load(row, B, double(number));
        pd.load(row, C, std::string(from));
        pd.load(row, D, std::string(to));
        const std::map<int, double> values = {
            {E, 100},  {F, 110},   {G, 0.3},    {I, v[0]},  {J, v[1]},     {L, 100},
            {N, v[2]}, {P, 6},     {T, 0.8},    {U, 2},     {W, v[3]},     {X, v[4]},
            {Y, v[5]}, {AB, v[6]}, {AG, 0.027}, {AI, 21.2}, {AJ, 0.00001}, {AK, 17000}};
        for (const auto& [column, value] : values)
            pd.load(row, column, value);
    }

    void groundPoint(int row, const std::tuple<std::string, double, double>& p) {
        test::loadRow(ground, row, B, {std::get<0>(p), std::get<1>(p), std::get<2>(p)});
    }

    DesignCheck check(const DesignCheckRequest& request = {}) {
        return runDesignCheck(host, ui, request);
    }
};

std::vector<std::string> problemLines(const DesignCheck& check) {
    std::vector<std::string> lines;
    for (const DesignProblem& p : check.problems)
        lines.push_back(problemLine(p));
    return lines;
}

struct Case {
    const char* name;
    std::function<void(Scheme&)> change;
    std::vector<std::string> problems;
};

// clang-format off
const Case kCases[] = {
    {"design keeping every limit", [](Scheme&) {}, {}},
    {"velocity at the least is kept", [](Scheme& s) { s.pd.load(16, T, 0.3); }, {}},
    {"slow water", [](Scheme& s) { s.pd.load(16, T, 0.29); },
     {"Row 16, node IN1, chainage 0+000.00: velocity 0.29 m/s is below 0.3 m/s"}},
    {"fast water", [](Scheme& s) { s.pd.load(17, T, 3.01); },
     {"Row 17, node J1, chainage 0+100.00: velocity 3.01 m/s is above 3 m/s"}},
    {"laminar row", [](Scheme& s) { s.pd.load(17, AK, 1600.0); },
     {"Row 17, node J1, chainage 0+100.00: laminar flow (Reynolds number 1600): the friction "
      "factor is 64/Re = 0.040000, the table has 0.027000"}},
    {"Reynolds number at 2000 is not laminar", [](Scheme& s) { s.pd.load(17, AK, 2000.0); }, {}},
    {"static head at the end above the class",
     [](Scheme& s) { s.pd.load(17, P, 4.0); s.pd.load(17, N, 40.5); },
     {"Row 17, node T1, chainage 0+200.00: static head 40.50 m is above the 40.00 m a class 4 "
      "pipe bears"}},
    {"static head exactly what the class bears", [](Scheme& s) { s.pd.load(17, P, 2.0); }, {}},
    {"static head greatest at a dip between nodes",
     [](Scheme& s) { s.pd.load(16, P, 1.0); s.ground.load(6, D, 89.0); },
     {"Row 16, node P1, chainage 0+050.00: static head 11.00 m is above the 10.00 m a class 1 "
      "pipe bears"}},
    {"negative residual head at the end node", [](Scheme& s) { s.pd.load(17, AB, -0.5); },
     {"Row 17, node T1, chainage 0+200.00: negative residual head -0.50 m"}},
    {"tap stand short of head", [](Scheme& s) { s.pd.load(17, AB, 9.99); },
     {"Row 17, node T1, chainage 0+200.00: residual head 9.99 m at a tap stand is below 10.00 m"}},
    {"other node short of head", [](Scheme& s) { s.pd.load(16, AB, 4.9); },
     {"Row 16, node J1, chainage 0+100.00: residual head 4.90 m is below 5.00 m"}},
    {"grade line below the ground between nodes", [](Scheme& s) { s.ground.load(8, D, 97.0); },
     {"Row 17, node P2, chainage 0+150.00: grade line 0.50 m below the ground"}},
    {"negative head and grade below the ground both reported", [](Scheme& s) {
         s.pd.load(16, Y, 89.0); s.pd.load(16, AB, -1.0); s.pd.load(17, X, 89.0);
         s.pd.load(17, W, -1.0); },
     {"Row 16, node J1, chainage 0+100.00: negative residual head -1.00 m",
      "Row 16, node P1, chainage 0+050.00: grade line 1.50 m below the ground"}},
    {"velocity at the most is kept", [](Scheme& s) { s.pd.load(17, T, 3.0); }, {}},
    {"node head at the least is kept", [](Scheme& s) { s.pd.load(16, AB, 5.0); }, {}},
    {"tap stand head at the least is kept", [](Scheme& s) { s.pd.load(17, AB, 10.0); }, {}},
    {"a small head is low, not negative", [](Scheme& s) { s.pd.load(16, AB, 0.5); },
     {"Row 16, node J1, chainage 0+100.00: residual head 0.50 m is below 5.00 m"}},
    {"negative head at both ends of a section from the intake, the start first",
     [](Scheme& s) { s.pd.load(16, W, -1.0); s.pd.load(16, AB, -1.0); },
     {"Row 16, node IN1, chainage 0+000.00: negative residual head -1.00 m",
      "Row 16, node J1, chainage 0+100.00: negative residual head -1.00 m"}},
    {"grade line touching the ground is kept", [](Scheme& s) { s.ground.load(8, D, 96.5); }, {}},
    {"grade line touching the ground, short of a least cover set in DATA INPUT", [](Scheme& s) {
         MemoryWorksheet& input = s.workbook.addSheet("DATA INPUT");
         input.load(3, B, std::string("Least head above the ground between nodes"));
         input.load(3, E, 1.0);
         s.ground.load(8, D, 96.5); },
     {"Row 17, node P2, chainage 0+150.00: grade line only 0.00 m above the ground"}},
    {"section not in the ground profile is checked at its nodes",
     [](Scheme& s) { s.ground.load(4, B, std::string("Line B")); }, {}},
};
// clang-format on

TEST(DesignCheck, FindsTheProblemWithRowNodeAndChainage) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        Scheme s;
        c.change(s);
        const DesignCheck check = s.check();
        EXPECT_EQ(problemLines(check), c.problems);
        EXPECT_EQ(check.passed(), c.problems.empty());
    }
}

TEST(DesignCheck, LimitsComeFromOptionsThenDataInputThenDefaults) {
    Scheme s;
    MemoryWorksheet& input = s.workbook.addSheet("DATA INPUT");
    input.load(30, B, std::string(" least residual head at a tap stand "));
    input.load(30, 5, 16.0);
    input.load(32, B, std::string("Least velocity in a pipe"));
    input.load(32, 5, 0.9);
    DesignCheckRequest request;
    request.limits[static_cast<int>(LimitKind::MinVelocity)] = 0.5;
    const DesignCheck check = s.check(request);
    EXPECT_EQ(check.limits.at(LimitKind::MinTapHead).source, "DATA INPUT E30");
    EXPECT_EQ(check.limits.at(LimitKind::MinVelocity).source, "option");
    EXPECT_EQ(check.limits.at(LimitKind::MaxVelocity).source, "default");
    EXPECT_EQ(problemLines(check),
              (std::vector<std::string>{"Row 17, node T1, chainage 0+200.00: residual head "
                                        "15.00 m at a tap stand is below 16.00 m"}));
}

TEST(DesignCheck, TextInANumberCellIsNamedWithItsCell) {
    Scheme s;
    s.pd.load(17, T, std::string("fast"));
    EXPECT_EQ(test::failureText<PipeTableError>([&] { s.check(); }),
              "Sheet 'PD-CW-Sample', cell T17: \"fast\" is not a number (velocity)");
}

TEST(DesignCheck, MenuEntryShowsTheReport) {
    Scheme s;
    s.pd.load(17, AB, 9.0);
    EXPECT_FALSE(designCheckCommand(s.host, s.ui));
    const auto texts = s.ui.messageTexts();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_NE(texts[0].find("Design check of \"PD-CW-Sample\": 2 pipes, 1 problem."),
              std::string::npos);
    EXPECT_NE(texts[0].find("Row 17, node T1"), std::string::npos);
}

}  // namespace
}  // namespace plovis
