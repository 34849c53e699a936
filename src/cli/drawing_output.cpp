#include "cli/drawing_output.h"

#include <CLI/CLI.hpp>
#include <ostream>

#include "hosts/dxf/dxf_file.h"
#include "render/render_files.h"
#include "scheme/drawing_preparation.h"

namespace plovis {

void addDrawingOutputOptions(CLI::App& sub, const std::shared_ptr<DrawingOutputs>& outputs) {
    requireExtension(sub.add_option("--out", outputs->dxf, "The drawing to write (DXF R2000)"),
                     {".dxf"})
        ->required();
    requireExtension(sub.add_option("--pdf", outputs->pdf, "Also render it to a PDF file"),
                     {".pdf"});
    requireExtension(sub.add_option("--svg", outputs->svg, "Also render it to an SVG file"),
                     {".svg"});
    requireExtension(sub.add_option("--png", outputs->png, "Also render it to a PNG image"),
                     {".png"});
    sub.add_option("--dpi", outputs->dotsPerInch, "PNG resolution in dots per inch")
        ->default_val(150)
        ->check(CLI::Range(10, 2400));
    sub.add_flag("--sheets", outputs->sheets,
                 "Pictures with one page (PDF) or file (SVG, PNG: NAME-1.png, ...) per paper "
                 "sheet, each at 1:1 on its paper");
}

CommandFiles drawingCommandFiles(const DrawingOutputs& outputs) {
    return {{{"--out", outputs.dxf},
             {"--pdf", outputs.pdf},
             {"--svg", outputs.svg, outputs.sheets},
             {"--png", outputs.png, outputs.sheets}},
            {{"the template drawing", templateDrawingPath().string()}}};
}

void writePicture(const Drawing& drawing, const std::string& file, int dotsPerInch, bool sheets,
                  std::ostream& log) {
    RenderOptions options;
    options.dotsPerInch = dotsPerInch;
    const auto report = [&log](const std::filesystem::path& written, const RenderResult& r) {
        log << "Wrote " << written.string();
        if (r.widthPixels > 0) {
            log << " (" << r.widthPixels << " x " << r.heightPixels << " pixels, " << r.dotsPerInch
                << " dpi)";
        }
        log << '\n';
    };
    if (!sheets) {
        report(file, renderDrawing(drawing, file, options));
        return;
    }
    const auto written = renderSheets(drawing, file, options);
    for (const auto& [name, result] : written)
        report(name, result);
    if (imageFormatFor(file) == ImageFormat::Pdf) {
        log << "  " << drawing.sheets().size() << " pages, one per sheet\n";
    }
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
    for (const std::string& picture : pictures) {
        if (picture.empty()) continue;
        if (!outputs.sheets) {
            RenderOptions options;
            options.dotsPerInch = outputs.dotsPerInch;
            renderDrawing(drawing, picture, options);
            log << "Wrote " << picture << '\n';
            continue;
        }
        writePicture(drawing, picture, outputs.dotsPerInch, true, log);
    }
}

}  // namespace plovis
