// make_sample_workbook OUT.xlsx: writes the sample scheme workbook shipped in data/.
//
// The engineer's part (constants, communities, field books, control points, pipes) is written
// from the scheme's definition; everything PLOVIS computes (reduced books, ground profile,
// section list, lengths and levels, demands, friction factors) is computed by PLOVIS's own
// commands on the workbook, exactly as a user would run them; the hydraulics are formulas with
// their calculated values. The same program writes the same bytes every time.

#include <cmath>
#include <functional>
#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "commands/design_commands.h"
#include "commands/survey_commands.h"
#include "common/number_format.h"
#include "design_table.h"
#include "doubles/recording_user_interface.h"
#include "field_sheets.h"
#include "hosts/xlsx/xlsx_workbook.h"
#include "survey/abney_survey.h"

namespace plovis::sample {
namespace {

// Runs a command and checks that it ran to its end showing exactly the messages expected.
void run(RecordingUserInterface& ui, const std::string& what, const std::function<bool()>& command,
         const std::vector<std::string>& expected) {
    const std::size_t before = ui.messageTexts().size();
    const bool done = command();
    const std::vector<std::string> shown = ui.messageTexts();
    if (!done || std::vector<std::string>(shown.begin() + static_cast<std::ptrdiff_t>(before),
                                          shown.end()) != expected) {
        std::string all;
        for (std::size_t i = before; i < shown.size(); ++i)
            all += "\n  " + shown[i];
        throw std::runtime_error(what + " did not run as expected; its messages:" + all);
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

// The question the pipe head loss asks about the row whose class is left low.
std::string lowClassQuestion(Worksheet& design, int row) {
    return "At row number = " + std::to_string(row) +
           " ,the static pressure = " + generalForm(cellNumber(design.cell(row, 14))) +
           "\r exceeds the bearing pressure of the provided pipe of class " +
           cellText(design.cell(row, 16)) +
           " Kg/cm2\r So you are requested to provide higher class pipe. Do you want to increase "
           "capacity?";
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

constexpr const char* kComplete = "Processing is complete";
constexpr const char* kSuccess = "Congratulation computation is successful";

// The engineer's part; returns where the demand blocks lie.
std::vector<DemandRows> writeFieldSheets(MemoryWorkbook& wb, const Scheme& scheme,
                                         const std::vector<Route>& routes) {
    writeDataInput(wb.sheet(kDataInput), scheme);
    const std::vector<DemandRows> blocks = writeDemandInputs(wb.sheet(kWaterDemand), scheme);
    writeLevelBook(wb.sheet(kLevelBook), routes);
    writeAbneyBook(wb.sheet(kAbneyBook), routes);
    writeGroundProfileFrame(wb.sheet(kGroundProfile), routes);
    writeMark(wb.sheet(kMark));
    return blocks;
}

// The survey computed: both books reduced, the level book transferred to the ground profile, the
// sections listed with their lengths and levels. Returns how far the Abney book strays.
double computeSurvey(MemorySpreadsheetHost& host, RecordingUserInterface& ui, MemoryWorkbook& wb,
                     const std::vector<Route>& routes) {
    run(ui, "The level book's reduction and transfer",
        [&] { return riseFallToGroundProfileCommand(host, ui); }, {kComplete});
    checkGroundProfile(wb, routes);
    SurveyContext abney;
    run(ui, "The Abney book's reduction", [&] { return reduceAbneySurvey(abney, host, ui, true); },
        {kComplete});
    const double departure = abneyDeparture(wb, routes);
    if (departure > 0.5) throw std::runtime_error("the Abney book strays too far");
    run(ui, "The section list", [&] { return branchPointsAndLevelsCommand(host, ui); },
        {kComplete});
    return departure;
}

// The demands and the pipe design computed and checked; returns the row whose class is left low.
int designScheme(MemorySpreadsheetHost& host, RecordingUserInterface& ui, MemoryWorkbook& wb,
                 const Scheme& scheme, const std::vector<Route>& routes,
                 const std::vector<DemandRows>& blocks) {
    run(ui, "The water demand", [&] { return waterDemandCommand(host, ui); }, {kSuccess});
    writeDemandTotals(wb.sheet(kWaterDemand), blocks);
    MemoryWorksheet& design = wb.sheet(kDesign);
    const std::vector<DesignRow> rows = listedSections(design, routes);
    const int lowClass = lowClassRow(scheme, rows);
    writeDesignHeading(design, scheme, lowClass);
    writeSectionPipes(design, scheme, rows,
                      sectionFlows(scheme, routes, wb.sheet(kWaterDemand), blocks));
    // The class left low asks to be raised; the engineer leaves it as it is.
    ui.script({Answer::No});
    run(ui, "The pipe head loss", [&] { return pipeHeadLossCommand(host, ui); },
        {lowClassQuestion(design, lowClass), kSuccess});
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
    return lowClass;
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

    const std::vector<DemandRows> blocks = writeFieldSheets(wb, scheme, routes);
    const double departure = computeSurvey(host, ui, wb, routes);
    const int lowClass = designScheme(host, ui, wb, scheme, routes, blocks);
    wb.save(out);
    std::cout << "Wrote " << out.string() << ": the pipe class of row " << lowClass << " of "
              << kDesign << " is left too low on purpose; the Abney book departs at most "
              << departure << " m from the level book.\n";
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
