#include "design/scheme_input.h"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>

#include "design/design_fixture.h"
#include "design/pipe_design.h"
#include "design/water_demand.h"
#include "support/message_boxes.h"
#include "support/snapshot.h"

namespace plovis {
namespace {

using test::DesignFixture;

// The constants as text: growth rate, years to base and to design, peak factor, per capita and
// per unit demand, minimum flow.
std::string text(const DemandInputs& in) {
    std::ostringstream out;
    out << in.growthRate << " " << in.yearsToBase << " " << in.yearsToDesign << " " << in.peakFactor
        << " " << in.perCapitaDemand << " " << in.perUnitDemand << " " << in.minimumFlow;
    return out.str();
}

TEST(ReadDemandInputs, ReadsColumnEWithTheGrowthRateAsAFractionAndTextAsZero) {
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
    EXPECT_EQ(text(in), "0.03 5 15 2.5 45 500 0.1");
    EXPECT_EQ(f.ctx.sheet->name(), "DATA INPUT");
    EXPECT_TRUE(f.ui.events().empty());

    s.load(22, 5, CellValue{});
    s.load(25, 5, std::string("abc"));
    ASSERT_TRUE(readDemandInputs(f.ctx, in));
    EXPECT_EQ(text(in), "0 5 15 0 45 500 0.1");
}

TEST(ReadDemandInputs, AnUnreadableCellIsReportedAndTheValuesBeforeItAreKept) {
    std::string shown;  // the message and the reason, compared with a reviewed golden text
    for (const char* e24 : {"1e400 years", "#DIV/0!"}) {
        DesignFixture f;
        MemoryWorksheet& s = f.add("DATA INPUT");
        for (int row = 22; const CellValue& v : {CellValue(2.0), CellValue(4.0),
                                                 CellValue(std::string(e24)), CellValue(3.0)})
            s.load(row++, 5, v);
        ASSERT_TRUE(attachDesign(f.ctx));
        DemandInputs in{7, 7, -1, -1, 7, 7, 7};
        EXPECT_FALSE(readDemandInputs(f.ctx, in));
        shown += test::messageBoxes(f.ui).at(0) + "\n" + f.ctx.report.at(0) + "\n";
        EXPECT_EQ(f.ui.messageTexts().size() + f.ctx.report.size(), 2u);
        EXPECT_EQ(text(in), "0.02 4 -1 -1 7 7 7");
    }
    test::expectGolden(shown, "design", "unreadable_constants");
}

TEST(SchemeTitle, IsTheTextOfE8OrEmptyWithoutTheSheetAndShowsNothingOfItsOwn) {
    const std::pair<CellValue, std::string> cases[] = {
        {CellValue{}, ""},
        {1234.0, "1234"},
        {std::string("Thulo Gaun Water Supply Scheme"), "Thulo Gaun Water Supply Scheme"},
        {std::string(" 12 m "), " 12 m "}};
    for (const auto& [e8, title] : cases) {
        DesignFixture f;
        f.add("PD-CW-Sample");
        f.add("DATA INPUT").load(8, 5, e8);
        EXPECT_EQ(schemeTitle(f.ctx), title);
        EXPECT_EQ(f.ctx.sheet->name(), "DATA INPUT");
        EXPECT_TRUE(f.ui.events().empty());
    }
    DesignFixture f;
    f.add("PD-CW-Sample");
    EXPECT_EQ(schemeTitle(f.ctx), "");
    EXPECT_TRUE(f.ui.events().empty());
}

// Without a workbook, or without a sheet the command needs, one message shows and nothing is
// written (the messages compared whole with a reviewed golden text); calculation goes manual only
// once the constants are read.
TEST(DesignCommands, WithoutAWorkbookOrASheetOneMessageShowsAndNothingIsWritten) {
    const auto title = [](DesignContext& ctx) { return !schemeTitle(ctx).empty(); };
    const struct {
        const char* what;
        std::function<bool(DesignContext&)> command;
        std::vector<const char*> sheets;  // none: no workbook open
        std::vector<Calculation> calculation;
    } cases[] = {
        {"pipes", designPipes, {}, {}},
        {"demand", waterDemand, {}, {}},
        {"title", title, {}, {}},
        {"pipes without the design table", designPipes, {"Water Demand"}, {}},
        {"demand without its constants", waterDemand, {"Water Demand"}, {}},
        {"demand without its sheet", waterDemand, {"DATA INPUT"}, test::kManualThenAutomatic}};
    std::string text;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        DesignFixture f;
        for (const char* name : c.sheets)
            f.add(name);
        test::SingleWorkbookHost none(nullptr);
        DesignContext noWorkbook{none, f.ui};
        EXPECT_FALSE(c.command(c.sheets.empty() ? noWorkbook : f.ctx));
        const std::vector<std::string> shown = test::messageBoxes(f.ui);
        ASSERT_EQ(shown.size(), 1u);
        text += std::string(c.what) + ": " + shown[0] + "\n";
        EXPECT_EQ(f.failing.calculationChanges(), c.calculation);
        EXPECT_FALSE(f.workbook.modified());
    }
    test::expectGolden(text, "design", "missing_sheets");
}

}  // namespace
}  // namespace plovis
