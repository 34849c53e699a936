// The template drawing: made by its generator, committed as data/Pipe-des-blank.dxf, defining
// every block the profile and schematic drawings insert, with their attributes.
#include "template_drawing.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "dxf_test_support.h"
#include "hosts/cad_extents.h"
#include "hosts/dxf/dxf_file.h"
#include "support/file_bytes.h"
#include "support/snapshot.h"
#include "support/test_paths.h"

namespace plovis {
namespace {

std::filesystem::path committed() {
    return test::sourceDir() / "data" / "Pipe-des-blank.dxf";
}

// The extent of one reference of the block at the origin.
Extents blockExtents(const Drawing& source, const std::string& name) {
    Drawing d;
    d.blocks().importFrom(source);
    d.modelSpace().insertBlock({0, 0, 0}, name, 1, 1, 1, 0);
    return modelSpaceExtents(d);
}

TEST(TemplateDrawing, TheCommittedFileIsWhatTheGeneratorMakes) {
    const std::string made = test::dxfText(*templates::makeTemplateDrawing());
    if (made != test::readBytes(committed())) {
        const auto actual = test::binaryDir() / "Pipe-des-blank.actual.dxf";
        std::ofstream(actual, std::ios::binary) << made;
        FAIL() << "data/Pipe-des-blank.dxf is out of date: the generator now writes " << actual
               << " (run: cmake --build build --target template-drawing)";
    }
}

// The file as ezdxf reads it (audit clean; every block the drawings insert, with the tags of its
// attribute definitions; model space empty), then the extent of a reference of each block at the
// origin: the structure symbols small beside a 6-unit node circle about their point and reaching
// down to the ground line, no two alike; the ini-format's headings left of the table's first line,
// its seven rows between 0 and 50 below the point; the A4 frame 297 by 210 holding a sheet whose
// first node is 45 right of its point and whose table line is 75 up; the break mark spanning the
// gap in the axis about its point. Compared with tests/hosts/dxf/golden/template.txt.
TEST(TemplateDrawing, DefinesEveryBlockTheDrawingsInsert) {
    std::string shown = test::ezdxfDump({committed()});
    const auto d = readDxfFile(committed());
    for (const char* name :
         {"ini-format", "conl", "a4_paper", "IN", "CC", "SD", "RT", "BPC", "TAP", "AV", "WO", "DC",
          "JN", "INTAKE", "INTAKE_CC", "CC1", "RVT", "JNO", "TNO"}) {
        const Extents e = blockExtents(*d, name);
        char line[160];
        std::snprintf(line, sizeof line, "EXTENT %s x %.3f..%.3f y %.3f..%.3f\n", name, e.minX,
                      e.maxX, e.minY, e.maxY);
        shown += line;
    }
    test::expectGolden(shown, "hosts/dxf", "template");
}

}  // namespace
}  // namespace plovis
