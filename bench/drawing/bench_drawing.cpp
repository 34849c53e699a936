// bench_drawing [COUNT] [FOLDER]: makes a drawing of COUNT entities (default 1,000,000; a third
// each lines, texts and block references with an attribute, laid out like profile sheets side by
// side), saves it as DXF, reads it back and renders it to PDF, printing the time of each step.
// The same entities are written by bench/drawing/ezdxf_bench.py for comparison.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include "hosts/cad_drawing.h"
#include "hosts/dxf/dxf_file.h"
#include "render/render_files.h"

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Entity i of the drawing: sheets of 1,000 nodes, each node a ground line segment, a level
// figure and a junction symbol with its name.
void addNode(plovis::CadBlock& ms, long i) {
    const double x = static_cast<double>(i % 1000) * 5;
    const double y = static_cast<double>(i / 1000) * 100;
    switch (i % 3) {
        case 0:
            ms.addLine({x, y, 0}, {x + 5, y + 1, 0});
            break;
        case 1: {
            plovis::CadText& t = ms.addText("1203.4", {x, y - 10, 0}, 1.5);
            t.setVerticalAlignment(2);
            t.setHorizontalAlignment(0);
            t.setTextAlignmentPoint({x, y - 10, 0});
            t.setRotation(1.570796327);
            break;
        }
        default:
            ms.insertBlock({x, y, 0}, "JNO", 1, 1, 1, 0)
                .attribute(0)
                .setTextString("J" + std::to_string(i));
            break;
    }
}

}  // namespace

int main(int argc, char** argv) {
    const long count = argc > 1 ? std::stol(argv[1]) : 1'000'000;
    const std::filesystem::path folder =
        argc > 2 ? argv[2] : std::filesystem::temp_directory_path();
    try {
        plovis::RenderSession session;
        auto start = Clock::now();
        plovis::Drawing d("bench.dwg");
        plovis::CadBlock& jno = d.blocks().add("JNO", {0, 0, 0});
        jno.addCircle({0, 0, 0}, 1.5);
        plovis::CadAttributeDefinition& name =
            jno.addAttribute(1.5, 0, "Node", {2, 5, 0}, "NAME", "J");
        name.setAlignment(plovis::TextAlignment::MiddleLeft);
        name.setTextAlignmentPoint({2, 5, 0});
        for (long i = 0; i < count; ++i)
            addNode(d.modelSpace(), i);
        std::printf("build %ld entities in memory  %7.3f s\n", count, secondsSince(start));

        const auto dxf = folder / "bench_drawing.dxf";
        start = Clock::now();
        plovis::saveDxfFile(d, dxf);
        std::printf("save DXF (%5.0f MB)            %7.3f s\n",
                    static_cast<double>(std::filesystem::file_size(dxf)) / 1e6,
                    secondsSince(start));

        start = Clock::now();
        const auto read = plovis::readDxfFile(dxf);
        std::printf("read DXF back                  %7.3f s  (%zu entities)\n", secondsSince(start),
                    read->modelSpace().count());

        const auto pdf = folder / "bench_drawing.pdf";
        start = Clock::now();
        plovis::renderDrawing(d, pdf);
        std::printf("render PDF (%5.0f MB)          %7.3f s\n",
                    static_cast<double>(std::filesystem::file_size(pdf)) / 1e6,
                    secondsSince(start));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench_drawing: %s\n", e.what());
        return 1;
    }
    return 0;
}
