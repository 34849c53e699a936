#pragma once
// Where a drawing command's drawing goes: --out DRAWING.dxf and, optionally, pictures of it.

#include <iosfwd>
#include <memory>
#include <string>

#include "cli/workbook_command.h"
#include "hosts/cad_drawing.h"

namespace CLI {
class App;
}

namespace plovis {

struct DrawingOutputs {
    std::string dxf;  // --out, required
    std::string pdf;  // --pdf
    std::string svg;  // --svg
    std::string png;  // --png
    int dotsPerInch = 150;
    bool sheets = false;  // --sheets: one page (PDF) or file (SVG, PNG) per paper sheet
};

// Adds --out (required), --pdf, --svg, --png, --dpi and --sheets; each file must end in its
// format's extension (.dxf, .pdf, .svg, .png).
void addDrawingOutputOptions(CLI::App& sub, const std::shared_ptr<DrawingOutputs>& outputs);

// The files a drawing command writes, by their options, and the template drawing it reads.
CommandFiles drawingCommandFiles(const DrawingOutputs& outputs);

// Saves the drawing as DXF (atomically) and renders the pictures asked for, naming each file
// written on `log`. Throws HostError naming a file that cannot be written.
void writeDrawingOutputs(Drawing& drawing, const DrawingOutputs& outputs, std::ostream& log);

// Renders one picture: the whole drawing on one page, or with `sheets` a page or file per paper
// sheet; names each file written on `log` (a PNG with its size and resolution).
void writePicture(const Drawing& drawing, const std::string& file, int dotsPerInch, bool sheets,
                  std::ostream& log);

}  // namespace plovis
