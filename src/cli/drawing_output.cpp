#include "cli/drawing_output.h"

#include <CLI/CLI.hpp>
#include <ostream>

#include "hosts/dxf/dxf_file.h"
#include "render/render_files.h"

namespace plovis {

void addDrawingOutputOptions(CLI::App& sub, const std::shared_ptr<DrawingOutputs>& outputs) {
    sub.add_option("--out", outputs->dxf, "The drawing to write (DXF R2000)")->required();
    sub.add_option("--pdf", outputs->pdf, "Also render it to a PDF file");
    sub.add_option("--svg", outputs->svg, "Also render it to an SVG file");
    sub.add_option("--png", outputs->png, "Also render it to a PNG image");
    sub.add_option("--dpi", outputs->dotsPerInch, "PNG resolution in dots per inch")
        ->default_val(150)
        ->check(CLI::Range(10, 2400));
}

void writeDrawingOutputs(Drawing& drawing, const DrawingOutputs& outputs, std::ostream& log) {
    saveDxfFile(drawing, outputs.dxf);
    log << "Wrote " << outputs.dxf << '\n';
    const std::string pictures[] = {outputs.pdf, outputs.svg, outputs.png};
    bool any = false;
    for (const std::string& p : pictures)
        any = any || !p.empty();
    if (!any) return;
    RenderSession session;
    RenderOptions options;
    options.dotsPerInch = outputs.dotsPerInch;
    for (const std::string& picture : pictures) {
        if (picture.empty()) continue;
        renderDrawing(drawing, picture, options);
        log << "Wrote " << picture << '\n';
    }
}

}  // namespace plovis
