#include "commands/design_commands.h"

#include "commands/command_table.h"
#include "commands/status_protocol.h"
#include "design/pipe_design.h"
#include "design/water_demand.h"

namespace plovis {

bool waterDemandCommand(SpreadsheetHost& host, UserInterface& ui, const CommandSettings&) {
    DesignContext ctx{host, ui};
    bool done = false;
    runWithStatus(ui, commandNamed("water-demand").status, [&] { done = waterDemand(ctx); });
    showCommandReport(ui, ctx.report, ctx.summary);
    return done;
}

bool pipeHeadLossCommand(SpreadsheetHost& host, UserInterface& ui, const CommandSettings&) {
    DesignContext ctx{host, ui};
    bool done = false;
    runWithStatus(ui, commandNamed("pipe-head-loss").status, [&] { done = designPipes(ctx); });
    if (done) ui.showMessage(okMessage("Congratulation computation is successful"));
    showCommandReport(ui, ctx.report, ctx.summary);
    return done;
}

}  // namespace plovis
