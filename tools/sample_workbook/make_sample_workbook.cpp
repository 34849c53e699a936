// make_sample_workbook OUT.xlsx: writes the sample scheme workbook shipped in data/.
//
// The engineer's part (constants, communities, field books, control points, pipes) is written
// from the scheme's definition; everything PLOVIS computes (reduced books, ground profile,
// section list, lengths and levels, demands, friction factors) is computed by PLOVIS's own
// commands on the workbook, exactly as a user would run them; the hydraulics are formulas with
// their calculated values. The same program writes the same bytes every time.

#include <cmath>
#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "commands/design_commands.h"
#include "commands/survey_commands.h"
#include "hosts/recording_user_interface.h"
#include "hosts/xlsx/xlsx_workbook.h"
#include "sample_workbook/design_table.h"
#include "sample_workbook/field_sheets.h"
#include "survey/abney_survey.h"

namespace plovis::sample {
namespace {

// Runs a command and checks that it showed exactly the messages expected.
void run(RecordingUserInterface& ui, const std::string& what, bool done,
         const std::vector<std::string>& expected) {
    static const std::vector<std::string> none;
    const std::vector<std::string> shown = ui.messageTexts();
    const std::vector<std::string> latest(
        shown.end() - static_cast<std::ptrdiff_t>(std::min(shown.size(), expected.size())),
        shown.end());
    if (!done || latest != expected) {
        std::string all;
        for (const std::string& m : shown)
            all += "\n  " + m;
        throw std::runtime_error(what + " did not run as expected; messages:" + all);
    }
}

// The Abney book reduced, its levels compared with those of the level book's transfer: a second
// survey of the same routes lands within a few decimetres.
double abneyDeparture(MemoryWorkbook& wb, const std::vector<Route>& routes) {
    MemoryWorksheet& abney = wb.sheet(kAbneyBook);
    MemoryWorksheet& ground = wb.sheet(kGroundProfile);
    double worst = 0;
    int abneyRow = 5, groundRow = 4;
    for (const Route& route : routes) {
        ++abneyRow;
        ++groundRow;
        for (std::size_t j = 0; j < route.points.size(); ++j, ++abneyRow, ++groundRow) {
            const double a = cellNumber(abney.cell(abneyRow, 14));
            const double g = cellNumber(ground.cell(groundRow, 4));
            worst = std::max(worst, std::abs(a - g));
        }
    }
    return worst;
}

void checkGroundProfile(MemoryWorkbook& wb, const std::vector<Route>& routes) {
    MemoryWorksheet& ground = wb.sheet(kGroundProfile);
    int row = 4;
    for (const Route& route : routes) {
        ++row;
        for (const GroundPoint& p : route.points) {
            if (cellText(ground.cell(row, 2)) != p.label ||
                std::abs(cellNumber(ground.cell(row, 4)) - p.level / 1000.0) > 1e-6) {
                throw std::runtime_error("the reduced level book does not give point " + p.label +
                                         " of " + route.name + " at row " + std::to_string(row));
            }
            ++row;
        }
    }
}

void make(const std::filesystem::path& out) {
    const Scheme scheme = sampleScheme();
    const std::vector<Route> routes = surveyRoutes(scheme);
    auto owned = XlsxWorkbook::create(
        out.filename().string(),
        {kDataInput, kWaterDemand, kDesign, kGroundProfile, kLevelBook, kAbneyBook, kMark});
    XlsxWorkbook& wb = *owned;
    MemorySpreadsheetHost host;
    host.add(std::move(owned));
    RecordingUserInterface ui;

    writeDataInput(wb.sheet(kDataInput), scheme);
    const std::vector<DemandRows> blocks = writeDemandInputs(wb.sheet(kWaterDemand), scheme);
    writeLevelBook(wb.sheet(kLevelBook), routes);
    writeAbneyBook(wb.sheet(kAbneyBook), routes);
    writeGroundProfileFrame(wb.sheet(kGroundProfile), routes);
    writeMark(wb.sheet(kMark));

    const std::string complete = "Processing is complete";
    run(ui, "The level book's reduction and transfer", riseFallToGroundProfileCommand(host, ui),
        {complete});
    checkGroundProfile(wb, routes);
    SurveyContext abney;
    run(ui, "The Abney book's reduction", reduceAbneySurvey(abney, host, ui, true), {complete});
    const double departure = abneyDeparture(wb, routes);
    if (departure > 0.5) throw std::runtime_error("the Abney book strays too far");
    run(ui, "The section list", branchPointsAndLevelsCommand(host, ui), {complete});
    const std::string success = "Congratulation computation is successful";
    run(ui, "The water demand", waterDemandCommand(host, ui), {success});
    writeDemandTotals(wb.sheet(kWaterDemand), blocks);

    MemoryWorksheet& design = wb.sheet(kDesign);
    const std::vector<DesignRow> rows = listedSections(design, routes);
    const int lowClass = lowClassRow(scheme, rows);
    writeDesignHeading(design, scheme, lowClass);
    writeSectionPipes(design, scheme, rows,
                      sectionFlows(scheme, routes, wb.sheet(kWaterDemand), blocks));
    ui.script({Answer::No});
    const std::size_t before = ui.messageTexts().size();
    run(ui, "The pipe head loss", pipeHeadLossCommand(host, ui), {success});
    if (ui.messageTexts().size() != before + 2 ||
        !ui.messageTexts()[before].starts_with("At row number = " + std::to_string(lowClass) +
                                               " ,")) {
        throw std::runtime_error("the pipe head loss did not ask about row " +
                                 std::to_string(lowClass) + " alone");
    }
    writeHydraulicGrade(design, scheme, rows);
    const DesignCheck check = checkDesign(design, scheme, routes, rows);
    for (const std::string& line : check.report)
        std::cout << line << "\n";
    if (!check.problems.empty()) {
        std::string all;
        for (const std::string& p : check.problems)
            all += "\n  " + p;
        throw std::runtime_error("the design does not work:" + all);
    }

    wb.save(out);
    std::cout << "Wrote " << out.string() << ": " << rows.size() << " sections in " << routes.size()
              << " branches; the pipe class of row " << lowClass << " of " << kDesign
              << " is left too low on purpose; the Abney book departs at "
              << "most " << departure << " m from the level book.\n";
}

}  // namespace
}  // namespace plovis::sample

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: make_sample_workbook OUT.xlsx\n";
        return 64;
    }
    try {
        plovis::sample::make(argv[1]);
    } catch (const std::exception& e) {
        std::cerr << "make_sample_workbook: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
