#include "cli/render_command.h"

#include <CLI/CLI.hpp>
#include <ostream>

#include "cli/drawing_options.h"
#include "cli/drawing_output.h"
#include "cli/output_files.h"
#include "hosts/dxf/dxf_file.h"
#include "render/drawing_size.h"
#include "render/render_files.h"

namespace plovis {
namespace {

struct RenderArguments {
    std::string drawing;
    std::vector<std::string> outputs;  // in the order pdf, svg, png; empty when not asked
    int dotsPerInch = 150;
    bool sheets = false;
    std::shared_ptr<DrawingLimits> limits = std::make_shared<DrawingLimits>();
};

}  // namespace

CliCommand renderCommand() {
    return {
        "render",
        "Render a drawing (DXF) to PDF, SVG or PNG: whole on one page, or by sheets, at 1:1",
        [](CLI::App& sub) -> CommandBody {
            auto args = std::make_shared<RenderArguments>();
            args->outputs.resize(3);
            sub.add_option("drawing", args->drawing, "The drawing file (DXF)")
                ->required()
                ->check(CLI::ExistingFile);
            auto* outputs = sub.add_option_group("outputs", "Files to write (one or more)");
            requireExtension(outputs->add_option("--pdf", args->outputs[0], "Write a PDF file"),
                             {".pdf"});
            requireExtension(outputs->add_option("--svg", args->outputs[1], "Write an SVG file"),
                             {".svg"});
            requireExtension(outputs->add_option("--png", args->outputs[2], "Write a PNG image"),
                             {".png"});
            outputs->require_option(1, 0);
            sub.add_option("--dpi", args->dotsPerInch, "PNG resolution in dots per inch")
                ->default_val(150)
                ->check(CLI::Range(10, 2400));
            sub.add_flag("--sheets", args->sheets,
                         "One page (PDF) or file (SVG, PNG: NAME-1.png, ...) per paper sheet "
                         "of the drawing's layouts, each at 1:1 on its paper");
            addDrawingLimitOptions(sub, args->limits);
            return [args](const ConsoleStreams& streams) {
                return runWithConsole(streams, {}, [&](ConsoleUserInterface&) {
                    refuseOverwriting({{"--pdf", args->outputs[0]},
                                       {"--svg", args->outputs[1], args->sheets},
                                       {"--png", args->outputs[2], args->sheets}},
                                      {{"the drawing", args->drawing}});
                    const auto drawing = readDxfFile(args->drawing);
                    try {
                        checkDrawingToRender(*drawing, args->drawing, args->sheets, *args->limits);
                    } catch (const DrawingTooLarge& e) {
                        reportTooLarge(e, streams.err);
                        return false;
                    }
                    RenderSession session;
                    for (const std::string& out : args->outputs) {
                        if (out.empty()) continue;
                        writePicture(*drawing, out, args->dotsPerInch, args->sheets, streams.out);
                    }
                    return true;
                });
            };
        }};
}

}  // namespace plovis
