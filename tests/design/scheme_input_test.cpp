#include "design/scheme_input.h"

#include <gtest/gtest.h>

#include <functional>

#include "design/design_fixture.h"
#include "design/pipe_design.h"
#include "design/water_demand.h"
#include "support/message_boxes.h"

namespace plovis {
namespace {

using test::DesignFixture;

TEST(ReadDemandInputs, ReadsColumnEWithTheGrowthRateAsAFraction) {
    DesignFixture f;
    MemoryWorksheet& s = f.add("DATA INPUT");
    f.add("Water Demand");
    for (int row = 22; const CellValue& v :
                       {CellValue(3.0), CellValue("5 years"), CellValue(15.0), CellValue(" 2.5"),
                        CellValue(45.0), CellValue(500.0), CellValue("1e400"), CellValue("1e400"),
                        CellValue("1e400"),  // not read: would overflow
                        CellValue("0.1 l/s")})
        s.load(row++, 5, v);
    s.load(22, 4, 99.0);  // column D is not read
    ASSERT_TRUE(attachDesign(f.ctx));
    f.workbook.setActiveSheet("Water Demand");

    DemandInputs in;
    ASSERT_TRUE(readDemandInputs(f.ctx, in));
    EXPECT_DOUBLE_EQ(in.growthRate, 0.03);
    EXPECT_EQ(in.yearsToBase, 5);
    EXPECT_EQ(in.yearsToDesign, 15);
    EXPECT_EQ(in.peakFactor, 2.5);
    EXPECT_EQ(in.perCapitaDemand, 45);
    EXPECT_EQ(in.perUnitDemand, 500);
    EXPECT_EQ(in.minimumFlow, 0.1);
    EXPECT_EQ(f.ctx.sheet->name(), "DATA INPUT");
    EXPECT_TRUE(f.ui.events().empty());
}

TEST(ReadDemandInputs, EmptyAndTextCellsReadAsZero) {
    DesignFixture f;
    MemoryWorksheet& s = f.add("DATA INPUT");
    s.load(25, 5, std::string("abc"));
    ASSERT_TRUE(attachDesign(f.ctx));
    DemandInputs in;
    in.growthRate = 7;
    in.peakFactor = 7;
    ASSERT_TRUE(readDemandInputs(f.ctx, in));
    EXPECT_EQ(in.growthRate, 0);
    EXPECT_EQ(in.peakFactor, 0);
}

TEST(ReadDemandInputs, AWorkbookWithoutTheSheetIsReported) {
    DesignFixture f;
    f.add("Water Demand");
    ASSERT_TRUE(attachDesign(f.ctx));
    DemandInputs in;
    EXPECT_FALSE(readDemandInputs(f.ctx, in));
    EXPECT_EQ(
        test::messageBoxes(f.ui),
        std::vector<std::string>{
            "ok critical | First open the correct data file with the sheet named DATA INPUT."});
}

TEST(ReadDemandInputs, AnUnreadableCellIsReportedAndTheValuesBeforeItAreKept) {
    DesignFixture f;
    MemoryWorksheet& s = f.add("DATA INPUT");
    s.load(22, 5, 2.0);
    s.load(23, 5, 4.0);
    s.load(24, 5, std::string("1e400 years"));  // beyond any number
    s.load(25, 5, 3.0);
    ASSERT_TRUE(attachDesign(f.ctx));
    DemandInputs in;
    in.yearsToDesign = -1;
    in.peakFactor = -1;
    EXPECT_FALSE(readDemandInputs(f.ctx, in));
    EXPECT_EQ(
        test::messageBoxes(f.ui),
        std::vector<std::string>{
            "ok critical | Open correct excel file that contains the sheet named DATA INPUT."});
    EXPECT_EQ(in.growthRate, 0.02);
    EXPECT_EQ(in.yearsToBase, 4);
    EXPECT_EQ(in.yearsToDesign, -1);
    EXPECT_EQ(in.peakFactor, -1);
}

TEST(SchemeTitle, IsTheTextOfE8) {
    struct Case {
        CellValue e8;
        std::string title;
    };
    const Case cases[] = {
        {CellValue{}, ""},
        {1234.0, "1234"},
        {std::string("Thulo Gaun Water Supply Scheme"), "Thulo Gaun Water Supply Scheme"},
        {std::string(" 12 m "), " 12 m "}};
    for (const Case& c : cases) {
        DesignFixture f;
        f.add("PD-CW-Sample");
        f.add("DATA INPUT").load(8, 5, c.e8);
        EXPECT_EQ(schemeTitle(f.ctx), c.title);
        EXPECT_EQ(f.ctx.sheet->name(), "DATA INPUT");
        EXPECT_TRUE(f.ui.events().empty());
    }
}

TEST(SchemeTitle, IsEmptyWithoutTheSheetAndShowsNothingOfItsOwn) {
    DesignFixture f;
    f.add("PD-CW-Sample");
    EXPECT_EQ(schemeTitle(f.ctx), "");
    EXPECT_TRUE(f.ui.events().empty());
}

TEST(DesignCommands, WithoutAWorkbookTheAttachMessageShowsAndNothingRuns) {
    const std::function<bool(DesignContext&)> commands[] = {
        designPipes, waterDemand, [](DesignContext& ctx) { return !schemeTitle(ctx).empty(); }};
    for (const auto& command : commands) {
        test::SingleWorkbookHost host(nullptr);
        RecordingUserInterface ui;
        DesignContext ctx{host, ui};
        EXPECT_FALSE(command(ctx));
        EXPECT_EQ(test::messageBoxes(ui),
                  std::vector<std::string>{"ok critical | Excel application is not open"});
    }
}

}  // namespace
}  // namespace plovis
