// The template drawing: made by its generator, committed as data/Pipe-des-blank.dxf, defining
// every block the profile and schematic drawings insert, with their attributes.
#include "template_drawing.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "common/text.h"
#include "dxf_test_support.h"
#include "hosts/cad_extents.h"
#include "hosts/dxf/dxf_file.h"
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

std::string attributeTags(const CadBlock& block) {
    std::string tags;
    for (const CadEntity* e : block.entities()) {
        if (const auto* def = entityAs<CadAttributeDefinition>(*e))
            tags += (tags.empty() ? "" : " ") + def->tagString();
    }
    return tags;
}

TEST(TemplateDrawing, TheCommittedFileIsWhatTheGeneratorMakes) {
    const std::string made = test::dxfText(*templates::makeTemplateDrawing());
    std::stringstream file;
    file << std::ifstream(committed(), std::ios::binary).rdbuf();
    if (made != file.str()) {
        const auto actual = test::binaryDir() / "Pipe-des-blank.actual.dxf";
        std::ofstream(actual, std::ios::binary) << made;
        FAIL() << "data/Pipe-des-blank.dxf is out of date: the generator now writes " << actual
               << " (run: cmake --build build --target template-drawing)";
    }
}

TEST(TemplateDrawing, PassesTheAudit) {
    const std::string dump = test::ezdxfDump({committed()});
    EXPECT_EQ(dump.substr(0, dump.find('\n')), "AUDIT errors=0 fixes=0") << dump;
}

TEST(TemplateDrawing, DefinesEveryBlockWithItsAttributes) {
    const auto d = readDxfFile(committed());
    // Each block, with the tags of its attribute definitions after the colon.
    for (const std::string entry :
         {"ini-format:", "conl:", "a4_paper:", "IN:", "CC:", "SD:", "RT:", "BPC:", "TAP:", "AV:",
          "WO:", "DC:", "JN:", "INTAKE:NAME LEVEL", "INTAKE_CC:NAME LEVEL", "CC1:NAME", "RVT:NAME",
          "JNO:NAME", "TNO:NAME"}) {
        const std::string name = entry.substr(0, entry.find(':'));
        const CadBlock* block = d->blocks().find(name);
        ASSERT_NE(block, nullptr) << name;
        EXPECT_EQ(block->name(), name) << "letter case";
        EXPECT_GT(block->count(), 0u) << name << " is empty";
        EXPECT_EQ(name + ":" + attributeTags(*block), entry);
    }
    EXPECT_EQ(d->modelSpace().count(), 0u) << "the template's model space stays empty";
}

// The structure symbols stand on their insertion point, small beside a 6-unit node circle, and
// no two look alike.
TEST(TemplateDrawing, ProfileSymbolsAreSmallDistinctAndAboutTheirPoint) {
    const auto d = readDxfFile(committed());
    std::vector<std::string> shapes;
    for (const char* name : {"IN", "CC", "SD", "RT", "BPC", "TAP", "AV", "WO", "DC", "JN"}) {
        const Extents e = blockExtents(*d, name);
        EXPECT_TRUE(e.width() <= 9 && e.height() <= 6 && e.minX <= 0 && e.maxX >= 0) << name;
        EXPECT_LE(e.minY, 0.01) << name << " does not reach down to the ground line";
        std::string shape;
        for (const CadEntity* entity : d->blocks().item(name).entities())
            shape += std::to_string(static_cast<int>(entity->kind()));
        shape += "/" + std::to_string(e.width()) + "/" + std::to_string(e.height());
        EXPECT_EQ(std::count(shapes.begin(), shapes.end(), shape), 0)
            << name << " looks like another";
        shapes.push_back(shape);
    }
}

// The headings stand left of the table's first line, one caption in each row between the
// offsets 0, 10, 18, 24, 32, 38, 44 and 50 below the insertion point, in the table's order.
TEST(TemplateDrawing, IniFormatHeadsTheSevenTableRows) {
    const auto d = readDxfFile(committed());
    const CadBlock& ini = d->blocks().item("ini-format");
    const double offsets[] = {0, 10, 18, 24, 32, 38, 44, 50};
    const char* words[] = {"GROUND", "CHAINAGE", "LENGTH", "RESIDUAL", "FLOW", "PIPE", "SOIL"};
    int row = 0;
    for (const CadEntity* e : ini.entities()) {
        const auto* t = entityAs<CadText>(*e);
        if (!t || t->rotation() != 0) continue;
        ASSERT_LT(row, 7);
        const Point at = t->anchorPoint();
        EXPECT_LT(at.y, -offsets[row]) << t->textString();
        EXPECT_GT(at.y, -offsets[row + 1]) << t->textString();
        EXPECT_NE(upperCase(t->textString()).find(words[row]), std::string::npos)
            << t->textString();
        ++row;
    }
    EXPECT_EQ(row, 7);
    const Extents e = blockExtents(*d, "ini-format");
    EXPECT_LE(e.maxX, 0.01);
    EXPECT_NEAR(e.minY, -50, 0.01);
}

// Inserted 45 left of the first node and 75 below the table line, the A4 frame holds the
// headings, the titles 38 left of the node, the scale text ending 230 right of it, and the
// profile above the table; the break mark spans the gap in the axis about its point.
TEST(TemplateDrawing, TheA4FrameFramesAProfileSheetAndTheBreakMarkSpansTheAxisGap) {
    const auto d = readDxfFile(committed());
    const Extents frame = blockExtents(*d, "a4_paper");
    EXPECT_NEAR(frame.width(), 297, 0.01);
    EXPECT_NEAR(frame.height(), 210, 0.01);
    const double nodeX = 45, tableY = 75;     // the sheet's first node and table line, in the block
    EXPECT_LT(frame.minX + 5, nodeX - 38);    // titles inside the 5 mm border
    EXPECT_GT(frame.maxX - 5, nodeX + 230);   // scale text inside
    EXPECT_LT(frame.minY + 5, tableY - 58);   // sheet line inside
    EXPECT_GT(frame.maxY - 5, tableY + 100);  // room for the profile
    const Extents mark = blockExtents(*d, "conl");
    EXPECT_TRUE(mark.minY <= -0.5 && mark.maxY >= 0.5 && mark.width() < 4 && mark.minX < 0 &&
                mark.maxX > 0);
}

}  // namespace
}  // namespace plovis
