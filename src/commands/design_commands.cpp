#include "commands/design_commands.h"

#include "commands/status_protocol.h"
#include "design/pipe_design.h"
#include "design/water_demand.h"

namespace plovis {

bool waterDemandCommand(SpreadsheetHost& host, UserInterface& ui) {
    DesignContext ctx{host, ui};
    bool done = false;
    runWithStatus(ui, StatusLabel::MainStatus,
                  "Processing for water demand calculation.Please wait...",
                  [&] { done = waterDemand(ctx); });
    return done;
}

bool pipeHeadLossCommand(SpreadsheetHost& host, UserInterface& ui) {
    DesignContext ctx{host, ui};
    bool done = false;
    try {
        done = designPipes(ctx);
    } catch (...) {
        ui.setStatus(StatusLabel::MainStatus, "");
        throw;
    }
    ui.setStatus(StatusLabel::MainStatus, "");
    if (done) ui.showMessage(okMessage("Congratulation computation is successful"));
    return done;
}

}  // namespace plovis
