#include "commands/survey_commands.h"

#include "commands/command_table.h"
#include "commands/status_protocol.h"
#include "survey/abney_survey.h"
#include "survey/branch_sections.h"
#include "survey/ground_profile_transfer.h"
#include "survey/level_survey.h"

namespace plovis {
namespace {

// Runs the steps under the command's caption; every step runs whatever the one before it did.
bool withStatus(UserInterface& ui, const char* command, SurveyContext& context,
                const std::function<bool(SurveyContext&)>& steps) {
    bool done = false;
    runWithStatus(ui, commandNamed(command).status, [&] { done = steps(context); });
    return done;
}

// A command's survey context with the tolerances its checks use; its report is shown at the end.
struct SurveyRun {
    UserInterface& ui;
    SurveyContext context;
    SurveyRun(UserInterface& ui, const CommandSettings& settings) : ui(ui) {
        context.tolerances = settings.survey;
    }
    bool operator()(const char* command, const std::function<bool(SurveyContext&)>& steps) {
        const bool done = withStatus(ui, command, context, steps);
        showCommandReport(ui, context.report, context.summary);
        return done;
    }
};

bool branchPointsAndLevels(SpreadsheetHost& host, UserInterface& ui, SurveyContext& context) {
    return withStatus(ui, "branch-points-and-levels", context, [&](SurveyContext& c) {
        const bool listed = listBranchSections(c, host, ui, false);
        return computeSectionLengths(c, host, ui) && listed;
    });
}

}  // namespace

bool branchPointsCommand(SpreadsheetHost& host, UserInterface& ui,
                         const CommandSettings& settings) {
    return SurveyRun(ui, settings)(
        "branch-points", [&](SurveyContext& c) { return listBranchSections(c, host, ui, true); });
}

bool pipeLengthCommand(SpreadsheetHost& host, UserInterface& ui, const CommandSettings& settings) {
    return SurveyRun(ui, settings)(
        "pipe-length", [&](SurveyContext& c) { return computeSectionLengths(c, host, ui); });
}

bool branchPointsAndLevelsCommand(SpreadsheetHost& host, UserInterface& ui,
                                  const CommandSettings& settings) {
    SurveyRun run(ui, settings);
    const bool done = branchPointsAndLevels(host, ui, run.context);
    showCommandReport(ui, run.context.report, run.context.summary);
    return done;
}

bool riseFallCommand(SpreadsheetHost& host, UserInterface& ui, const CommandSettings& settings) {
    return SurveyRun(ui, settings)(
        "rise-fall", [&](SurveyContext& c) { return reduceLevelSurvey(c, host, ui, true); });
}

bool levelToGroundProfileCommand(SpreadsheetHost& host, UserInterface& ui,
                                 const CommandSettings& settings) {
    return SurveyRun(ui, settings)("level-to-ground-profile", [&](SurveyContext& c) {
        return transferToGroundProfile(c, host, ui, false, true);
    });
}

bool riseFallToGroundProfileCommand(SpreadsheetHost& host, UserInterface& ui,
                                    const CommandSettings& settings) {
    return SurveyRun(ui, settings)("rise-fall-to-ground-profile", [&](SurveyContext& c) {
        const bool reduced = reduceLevelSurvey(c, host, ui, false);
        return transferToGroundProfile(c, host, ui, false, true) && reduced;
    });
}

bool abneyCommand(SpreadsheetHost& host, UserInterface& ui, const CommandSettings& settings) {
    return SurveyRun(ui, settings)("abney", [&](SurveyContext& c) {
        const bool reduced = reduceAbneySurvey(c, host, ui, false);
        return transferToGroundProfile(c, host, ui, true, true) && reduced;
    });
}

bool surveyDataProcessCommand(SpreadsheetHost& host, UserInterface& ui,
                              const CommandSettings& settings) {
    // No clearing of its own: the branch points and levels step shows its caption over this one
    // and clears it last.
    const CommandStatus& status = commandNamed("survey-process").status;
    ui.setStatus(status.label, status.caption);
    SurveyRun run(ui, settings);
    SurveyContext& context = run.context;
    const bool reduced = reduceLevelSurvey(context, host, ui, false);
    const bool transferred = transferToGroundProfile(context, host, ui, false, true);
    const bool listed = branchPointsAndLevels(host, ui, context);
    showCommandReport(ui, context.report, context.summary);
    return listed && reduced && transferred;
}

}  // namespace plovis
