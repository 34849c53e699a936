#include "commands/ground_profile_dialog.h"

#include <cmath>
#include <exception>

#include "commands/command_table.h"
#include "common/leading_number.h"
#include "common/text.h"
#include "groundprofile/ground_points.h"
#include "groundprofile/ground_profile_bounds.h"
#include "groundprofile/ground_profile_layout.h"
#include "groundprofile/ground_sheet_drawing.h"
#include "groundprofile/ground_sheet_paper.h"

namespace plovis {
namespace {

// The dialog's own status label; its caption names the branch being drawn.
StatusLabel statusLabel() {
    return commandOfKind(CommandKind::GroundProfile).status.label;
}

// What every sheet of one draw command shares.
struct SheetRun {
    CadHost& cad;
    Drawing& drawing;
    const GroundProfileSettings& settings;
    double refY;
    double labelSpacing;
    double halfTurn;
};

// The sheets of every branch drawn left to right from refX, counted in `drawn` as they are done.
void drawBranches(const SheetRun& run, const std::vector<GroundBranch>& branches, double refX,
                  int& drawn, UserInterface& ui) {
    const GroundProfileSettings& s = run.settings;
    // Papers lie side by side: a sheet whose paper would reach back over the last one moves
    // right, and every sheet after it with it.
    double shift = 0;
    double paperRight = -1e300;
    for (const GroundBranch& branch : branches) {
        int number = 0;
        for (const GroundSheet& sheet :
             planBranchSheets(branch, s.plotLength, s.hFactor, s.sheetGap, refX)) {
            ui.setStatus(statusLabel(),
                         "Drawing profile sheet for branch " + branch.name + " , please wait....");
            if (!sheet.drawable()) break;
            ProfileFrame frame{sheet.refX + shift,
                               run.refY,
                               branch.chainages[sheet.firstIndex],
                               branch.levels[sheet.firstIndex],
                               mmPerMetre(s.hFactor),
                               mmPerMetre(s.vFactor)};
            const std::string name = branch.name + " " + std::to_string(++number);
            const auto paperOf = [&] {
                return groundSheetPaper(
                    computeSheetExtents(branch, sheet.firstIndex, sheet.lastIndex, frame),
                    s.textSize, s.plotLength, name);
            };
            DrawingSheet paper = paperOf();
            if (paper.minX < paperRight) {
                shift += paperRight - paper.minX;
                frame.originX += paperRight - paper.minX;
                paper = paperOf();
            }
            paperRight = paper.maxX();
            run.drawing.sheets().add(paper.name, paper.paper, paper.minX, paper.minY);
            GroundSheetDrawing g{run.cad,          run.drawing,      branch,
                                 sheet.firstIndex, sheet.lastIndex,  frame,
                                 s.textSize,       run.labelSpacing, run.halfTurn};
            drawGroundSheet(g);
            ++drawn;
        }
    }
}

}  // namespace

bool GroundProfileResult::closesDialog() const {
    switch (outcome) {
        case GroundProfileOutcome::NoCadHost:
        case GroundProfileOutcome::NoGroundPoints:
        case GroundProfileOutcome::TooFewRows:
            return false;
        default:
            return true;
    }
}

Drawing* connectCad(CadHost& host, UserInterface& ui) {
    try {
        return &obtainDrawing(host);
    } catch (const HostError&) {
        ui.showMessage(okMessage("Please first open the AutoCAD application and redo it."));
        return nullptr;
    }
}

std::optional<Point> pickPoint(CadHost& host, std::string& prompt) {
    CadUtility& utility = host.utility();
    for (;;) {
        try {
            (void)host.caption();  // the CAD window comes to the front for the pick
            return utility.getPoint(prompt);
        } catch (const HostError&) {
        }
        utility.prompt("Not valid point. ");
        std::string answer;
        try {
            answer = utility.getString("Do you want to re-pick.[Y/N]<N>:");
        } catch (const HostError&) {
            // A cancelled question answers its default, N.
        }
        if (upperCase(answer) != "Y") {
            prompt.clear();
            return std::nullopt;
        }
    }
}

void GroundProfileDialog::selectPaper(const std::string& paper) {
    boxes.cmbPaper = paper;
    applyPaperSize(boxes);
}

GroundProfileResult GroundProfileDialog::draw(CadHost& cad, SpreadsheetHost& spreadsheet,
                                              UserInterface& ui) {
    GroundProfileResult r;
    const auto finish = [&](GroundProfileOutcome outcome) {
        r.outcome = outcome;
        if (r.closesDialog()) closeRequested = true;
        return r;
    };
    Drawing* drawing = connectCad(cad, ui);
    if (!drawing) return finish(GroundProfileOutcome::NoCadHost);
    const double halfTurn = 4 * std::atan(1.0);
    const auto settings = readInputs(boxes, &r.invalidBox);
    if (!settings) {
        ui.setStatus(statusLabel(), "");
        return finish(GroundProfileOutcome::InvalidInput);
    }
    std::string prompt = "Pick a point as reference for drawing:";
    const std::optional<Point> picked = pickPoint(cad, prompt);
    if (!picked) {
        ui.setStatus(statusLabel(), "");
        return finish(GroundProfileOutcome::PickDeclined);
    }
    GroundPoints points;
    if (!getGroundProfile(spreadsheet, points, ui)) {
        return finish(GroundProfileOutcome::NoGroundPoints);
    }
    // From here on a failure closes the dialog without a message.
    try {
        if (points.last() <= 0) return finish(GroundProfileOutcome::TooFewRows);
        // After readInputs the text size box holds a number.
        const SheetRun run{
            cad,     *drawing, *settings, std::floor(picked->y), leadingNumber(boxes.txtSize),
            halfTurn};
        const std::vector<GroundBranch> branches = splitGroundBranches(points);
        checkGroundProfileSize(branches, *settings, limits);
        drawBranches(run, branches, std::floor(picked->x), r.sheetsDrawn, ui);
    } catch (const DrawingTooLarge&) {
        throw;  // the command stops before drawing, with its message
    } catch (const std::exception& e) {
        r.failure = e.what();
        return finish(GroundProfileOutcome::DrawingFailed);
    }
    ui.setStatus(statusLabel(), "");
    return finish(GroundProfileOutcome::Drawn);
}

}  // namespace plovis
