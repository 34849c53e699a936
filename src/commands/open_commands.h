#pragma once
// The main window's Open menu: "Sample data file" (mnuSampelData) opens the sample scheme workbook
// shipped beside the program, and "Template dwg File" (mnuTemplateDwg) brings the template
// drawing's symbols into the drawing in front. They prepare the two hosts for a first run and are
// the only shell commands that answer host failures with messages of their own.

#include <filesystem>

#include "hosts/cad_host.h"
#include "hosts/spreadsheet.h"
#include "hosts/user_interface.h"
#include "scheme/drawing_preparation.h"

namespace plovis {

// The sample scheme workbook in the program's data folder.
std::filesystem::path sampleWorkbookPath();

// mnuSampelData: the host started (when it is not running) and shown, and the sample opened in
// front. "Could not find the sample file named <path>" when it cannot be opened. True when open.
bool openSampleCommand(SpreadsheetHost& host, UserInterface& ui,
                       const std::filesystem::path& sample = sampleWorkbookPath());

// mnuTemplateDwg: the drawing in front of the CAD host (started when it is not running, a drawing
// added when none is open), shown, and the template's block definitions inserted into it unless
// it is the template itself. "Could not find the template file." when the template cannot be
// inserted. True when the drawing holds the template's blocks.
bool templateDrawingCommand(CadHost& host, UserInterface& ui,
                            const std::filesystem::path& templateFile = templateDrawingPath());

}  // namespace plovis
