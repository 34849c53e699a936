#include "commands/survey_commands.h"

#include "commands/status_protocol.h"
#include "survey/abney_survey.h"
#include "survey/branch_sections.h"
#include "survey/ground_profile_transfer.h"
#include "survey/level_survey.h"

namespace plovis {
namespace {

constexpr const char* kReading = "Reading data from excel.Please wait...";
constexpr const char* kProcessing = "processing data from excel.Please wait...";
// The transfer command shows the water demand caption: the menu entry was copied from it.
constexpr const char* kWaterDemand = "Processing for water demand calculation.Please wait...";

// Runs the steps under the caption; every step runs whatever the one before it did.
bool withStatus(UserInterface& ui, const char* caption,
                const std::function<bool(SurveyContext&)>& steps) {
    bool done = false;
    runWithStatus(ui, StatusLabel::MainStatus, caption, [&] {
        SurveyContext context;
        done = steps(context);
    });
    return done;
}

}  // namespace

bool branchPointsCommand(SpreadsheetHost& host, UserInterface& ui) {
    return withStatus(ui, kReading,
                      [&](SurveyContext& c) { return listBranchSections(c, host, ui, true); });
}

bool pipeLengthCommand(SpreadsheetHost& host, UserInterface& ui) {
    return withStatus(ui, kReading,
                      [&](SurveyContext& c) { return computeSectionLengths(c, host, ui); });
}

bool branchPointsAndLevelsCommand(SpreadsheetHost& host, UserInterface& ui) {
    return withStatus(ui, kProcessing, [&](SurveyContext& c) {
        const bool listed = listBranchSections(c, host, ui, false);
        return computeSectionLengths(c, host, ui) && listed;
    });
}

bool riseFallCommand(SpreadsheetHost& host, UserInterface& ui) {
    return withStatus(ui, kReading,
                      [&](SurveyContext& c) { return reduceLevelSurvey(c, host, ui, true); });
}

bool levelToGroundProfileCommand(SpreadsheetHost& host, UserInterface& ui) {
    return withStatus(ui, kWaterDemand, [&](SurveyContext& c) {
        return transferToGroundProfile(c, host, ui, false, true);
    });
}

bool riseFallToGroundProfileCommand(SpreadsheetHost& host, UserInterface& ui) {
    return withStatus(ui, kReading, [&](SurveyContext& c) {
        const bool reduced = reduceLevelSurvey(c, host, ui, false);
        return transferToGroundProfile(c, host, ui, false, true) && reduced;
    });
}

bool abneyCommand(SpreadsheetHost& host, UserInterface& ui) {
    return withStatus(ui, kReading, [&](SurveyContext& c) {
        const bool reduced = reduceAbneySurvey(c, host, ui, false);
        return transferToGroundProfile(c, host, ui, true, true) && reduced;
    });
}

bool surveyDataProcessCommand(SpreadsheetHost& host, UserInterface& ui) {
    // No clearing of its own: the branch points and levels command clears the caption last.
    ui.setStatus(StatusLabel::MainStatus, kReading);
    SurveyContext context;
    const bool reduced = reduceLevelSurvey(context, host, ui, false);
    const bool transferred = transferToGroundProfile(context, host, ui, false, true);
    return branchPointsAndLevelsCommand(host, ui) && reduced && transferred;
}

}  // namespace plovis
