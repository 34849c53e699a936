#include "commands/open_commands.h"

#include "commands/command_table.h"
#include "common/data_directory.h"

namespace plovis {
namespace {

// The drawing in front of the running host, a new one when none is open; HostError when the host
// is not running or refuses.
Drawing& attachDrawing(CadHost& host) {
    host.attach();
    if (host.documentCount() > 0) return host.activeDocument();
    host.addDocument();
    return host.activeDocument();
}

}  // namespace

std::filesystem::path sampleWorkbookPath() {
    return dataDirectory() / "Pipe_Design_Sample.xlsx";
}

bool openSampleCommand(SpreadsheetHost& host, UserInterface& ui,
                       const std::filesystem::path& sample) {
    const CommandStatus& status = commandOfKind(CommandKind::OpenSample).status;
    const StatusLabel label = status.label;
    ui.setStatus(label, status.caption);
    try {
        host.start();
    } catch (const HostError&) {
        ui.setStatus(label, "");
        ui.showMessage(
            okMessage("Could not open the excel application.So please confirm that "
                      "you have installed microsoft Excel."));
        return false;
    }
    try {
        host.setVisible(true);
        host.open(sample);
    } catch (const HostError&) {
        ui.showMessage(okMessage("Could not find the sample file named " + sample.string()));
        ui.setStatus(label, "");
        return false;
    }
    ui.setStatus(label, "");
    return true;
}

bool templateDrawingCommand(CadHost& host, UserInterface& ui,
                            const std::filesystem::path& templateFile) {
    const CommandStatus& status = commandOfKind(CommandKind::TemplateDrawing).status;
    const StatusLabel label = status.label;
    ui.setStatus(label, status.caption);
    Drawing* drawing = nullptr;
    try {
        drawing = &attachDrawing(host);
    } catch (const HostError&) {
        try {
            host.start();
            drawing = &host.activeDocument();
        } catch (const HostError&) {
            ui.showMessage(
                okMessage("Could not find the AutoCAD application. Please confirm that "
                          "you have AutoCAD application"));
            ui.setStatus(label, "");
            return false;
        }
    }
    host.setVisible(true);
    try {
        if (!isTemplateDocument(*drawing)) {
            CadBlockReference& ref =
                drawing->modelSpace().insertBlock({0, 0, 0}, templateFile.string(), 1, 1, 1, 0);
            ref.erase();
            host.update();
        }
    } catch (const HostError&) {
        ui.showMessage(okMessage("Could not find the template file."));
        ui.setStatus(label, "");
        return false;
    }
    ui.setStatus(label, "");
    return true;
}

}  // namespace plovis
