#include "design/scheme_input.h"

#include <gtest/gtest.h>

#include "design/design_fixture.h"

namespace plovis {
namespace {

using test::DesignFixture;

TEST(ReadDemandInputs, ReadsColumnEWithTheGrowthRateAsAFraction) {
    DesignFixture f;
    MemoryWorksheet& s = f.add("DATA INPUT");
    f.add("Water Demand");
    s.load(22, 5, 3.0);
    s.load(23, 5, std::string("5 years"));
    s.load(24, 5, 15.0);
    s.load(25, 5, std::string(" 2.5"));
    s.load(26, 5, 45.0);
    s.load(27, 5, 500.0);
    for (int row = 28; row <= 30; ++row)
        s.load(row, 5, std::string("1e400"));  // not read: reading it would overflow
    s.load(31, 5, std::string("0.1 l/s"));
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
    ASSERT_EQ(f.ui.events().size(), 1u);
    const Message& m = f.ui.events()[0].message;
    EXPECT_EQ(m.text, "First open the correct data file with the sheet named DATA INPUT.");
    EXPECT_EQ(m.buttons, Buttons::Ok);
    EXPECT_EQ(m.icon, Icon::Critical);
    EXPECT_FALSE(m.title.has_value());
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
    EXPECT_EQ(f.ui.messageTexts(),
              std::vector<std::string>{
                  "Open correct excel file that contains the sheet named DATA INPUT."});
    EXPECT_EQ(f.ui.events()[0].message.icon, Icon::Critical);
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
        {std::string(" 12 m "), " 12 m "},
    };
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

TEST(SchemeTitle, IsEmptyWithoutAWorkbookAfterTheAttachMessage) {
    test::SingleWorkbookHost host(nullptr);
    RecordingUserInterface ui;
    DesignContext ctx{host, ui};
    EXPECT_EQ(schemeTitle(ctx), "");
    EXPECT_EQ(ui.messageTexts(), std::vector<std::string>{"Excel application is not open"});
}

}  // namespace
}  // namespace plovis
