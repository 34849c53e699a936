#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "dxf_test_support.h"
#include "hosts/dxf/dxf_file.h"
#include "hosts/host_error.h"
#include "support/test_paths.h"

namespace plovis {
namespace {

std::string failureOf(const std::string& contents) {
    try {
        readDxf(contents, "test.dxf");
    } catch (const HostError& e) {
        return e.what();
    }
    return "(read without failing)";
}

// A DXF file of the given ENTITIES groups (each "code\nvalue\n"), after an optional BLOCKS
// section and a LTYPE table.
std::string file(const std::string& entities, const std::string& blocks = "",
                 const std::string& tables = "") {
    std::string text;
    if (!tables.empty()) text += "0\nSECTION\n2\nTABLES\n" + tables + "0\nENDSEC\n";
    if (!blocks.empty()) text += "0\nSECTION\n2\nBLOCKS\n" + blocks + "0\nENDSEC\n";
    return text + "0\nSECTION\n2\nENTITIES\n" + entities + "0\nENDSEC\n0\nEOF\n";
}

const std::string kLine = "0\nLINE\n8\n0\n10\n0\n20\n0\n11\n1\n21\n1\n";

TEST(DxfReader, WhatWeWriteReadsBackToTheSameFile) {
    const auto drawing = test::everyEntityDrawing();
    const std::string first = test::dxfText(*drawing);
    const auto read = readDxf(first, "every.dxf");
    EXPECT_EQ(test::dxfText(*read), first);
    EXPECT_FALSE(read->modified());
    EXPECT_EQ(read->activeTextStyle().name(), "romans");
}

TEST(DxfReader, AMinimalFileOfEntitiesOnly) {
    const auto d = readDxf(file(kLine + "0\nCIRCLE\n8\nNEW\n10\n5\n20\n5\n40\n2\n"), "min.dxf");
    ASSERT_EQ(d->modelSpace().count(), 2u);
    EXPECT_EQ(d->modelSpace().entities()[1]->layer(), "NEW");
    EXPECT_NE(d->layers().find("NEW"), nullptr);  // made, as CAD programs do
}

// Blocks CAD programs make themselves (dynamic blocks) have names starting with '*'.
TEST(DxfReader, AnonymousBlocksComeInAndGoOutMarkedAsSuch) {
    const auto d =
        readDxf(file("0\nINSERT\n8\n0\n2\n*U2\n10\n0\n20\n0\n",
                     "0\nBLOCK\n8\n0\n2\n*U2\n70\n1\n10\n0\n20\n0\n" + kLine + "0\nENDBLK\n"),
                "anon.dxf");
    ASSERT_NE(d->blocks().find("*U2"), nullptr);
    const auto tags = test::dxfTags(test::dxfText(*d));
    bool marked = false;
    for (std::size_t i = 0; i + 1 < tags.size(); ++i) {
        marked |= tags[i] == test::DxfTag{2, "*U2"} && tags[i + 1] == test::DxfTag{70, "1"};
    }
    EXPECT_TRUE(marked);
}

TEST(DxfReader, EscapedAndCodePageCharactersBecomeUtf8) {
    const auto d =
        readDxf(file("0\nTEXT\n8\n0\n10\n0\n20\n0\n40\n2\n1\n\\U+2300 63 \xB1 1\n"), "t.dxf");
    const auto* t = entityAs<CadText>(*d->modelSpace().entities()[0]);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->textString(), "⌀ 63 ± 1");
}

TEST(DxfReader, MalformedFilesFailNamingTheLine) {
    const std::string lwpolyline =
        "0\nLWPOLYLINE\n8\n0\n90\n3\n70\n0\n10\n0\n20\n0\n10\n1\n20\n1\n";
    const struct {
        std::string contents;
        std::string expected;
    } cases[] = {
        {"", "test.dxf, line 1: the file is empty"},
        {"0\nSECTION\n2\nENTITIES\n0\nLINE\n10\n",
         "test.dxf, line 7: the file ends after group code 10, before its value"},
        {"0\nSECTION\n2\nENTITIES\n" + kLine,
         "test.dxf, line 1: the ENTITIES section starting here has no ENDSEC"},
        {"0\nSECTION\n2\nENTITIES\n0\nENDSEC\n",
         "test.dxf, line 6: the file ends without its EOF marker"},
        {"0\nSECTION\n2\nENTITIES\nabc\nLINE\n", "test.dxf, line 5: \"abc\" is not a group code"},
        {file("0\nLINE\n85\n1\n"), "test.dxf, line 7: there is no group code 85"},
        {file("0\nLINE\n10\nnan\n"), "test.dxf, line 7: \"nan\" is not a usable number (group 10)"},
        {file("0\nLINE\n10\n1e308\n"),
         "test.dxf, line 7: \"1e308\" is not a usable number (group 10)"},
        {file("0\nLINE\n20\n1e999\n"),
         "test.dxf, line 7: \"1e999\" is not a usable number (group 20)"},
        {file("0\nLINE\n62\n1.5\n"), "test.dxf, line 7: \"1.5\" is not a whole number (group 62)"},
        {file("0\nMTEXT\n8\n0\n"), "test.dxf, line 5: the entity MTEXT is not supported"},
        {file("0\nVERTEX\n8\n0\n"), "test.dxf, line 5: VERTEX outside a POLYLINE"},
        {file("0\nSEQEND\n"), "test.dxf, line 5: SEQEND without POLYLINE or INSERT"},
        {file(lwpolyline), "test.dxf, line 5: a LWPOLYLINE declaring 3 vertices has 2"},
        {file("0\nLWPOLYLINE\n90\n2\n42\n1\n10\n0\n20\n0\n"),
         "test.dxf, line 9: a LWPOLYLINE bulge before its first vertex"},
        {file("0\nLWPOLYLINE\n10\n0\n90\n1\n"),
         "test.dxf, line 7: a LWPOLYLINE vertex before the vertex count"},
        {file("0\nLWPOLYLINE\n90\n2000000\n"),
         "test.dxf, line 7: a LWPOLYLINE of 2000000 vertices"},
        {file("0\nPOLYLINE\n70\n8\n"),
         "test.dxf, line 7: 3D polylines and polygon meshes are not supported"},
        {file("0\nPOLYLINE\n8\n0\n" + kLine),
         "test.dxf, line 5: the POLYLINE starting here has no SEQEND"},
        {file("0\nINSERT\n2\nB\n66\n1\n10\n0\n20\n0\n"),
         "test.dxf, line 5: the INSERT starting here has no SEQEND"},
        {file("0\nINSERT\n8\n0\n2\nNOSUCH\n10\n0\n20\n0\n"),
         "test.dxf, line 5: the block \"NOSUCH\" is not defined in the file"},
        {file("",
              "0\nBLOCK\n8\n0\n2\nA\n10\n0\n20\n0\n0\nINSERT\n8\n0\n2\nA\n10\n0\n20\n0\n0\nENDBLK"
              "\n"),
         "test.dxf, line 15: the block \"A\" holds itself"},
        {file("", "0\nBLOCK\n2\nA\n" + kLine),
         "test.dxf, line 5: the BLOCK starting here has no ENDBLK"},
        {file("", kLine), "test.dxf, line 5: the entity LINE stands outside a block definition"},
        {file("", "0\nBLOCK\n2\nA\n0\nBLOCK\n2\nB\n0\nENDBLK\n0\nENDBLK\n"),
         "test.dxf, line 9: a BLOCK inside another BLOCK"},
        {file("", "", "0\nTABLE\n2\nLAYER\n" + kLine + "0\nENDTAB\n"),
         "test.dxf, line 9: \"LINE\" is not a table record"},
        {file("0\nLINE\n8\n0\n6\nZIGZAG\n10\n0\n20\n0\n11\n1\n21\n1\n"),
         "test.dxf, line 5: the line type \"ZIGZAG\" is not defined in the file"},
        {file("", "", "0\nTABLE\n2\nLAYER\n0\nLAYER\n2\nHGL\n70\n0\n62\n6\n6\nHIDDEN\n0\nENDTAB\n"),
         "test.dxf, line 9: The line type \"HIDDEN\" is not loaded"},
        {file("0\nINSERT\n8\n0\n2\nB\n10\n0\n20\n0\n41\n0\n"),
         "test.dxf, line 5: Invalid block scale 0"},
        {file("0\nCIRCLE\n8\n0\n10\n0\n20\n0\n40\n-2\n"),
         "test.dxf, line 5: Invalid circle radius: -2"},
        {file("0\nTEXT\n8\n0\n10\n0\n20\n0\n40\n1\n1\nx\n72\n9\n"),
         "test.dxf, line 5: text alignment 9,0 does not exist"},
        {file("0\nLINE\n8\n0\n62\n300\n10\n0\n20\n0\n11\n1\n21\n1\n"),
         "test.dxf, line 5: colour number 300 does not exist"},
        {"AutoCAD Binary DXF\r\n\x1a", "test.dxf, line 1: binary DXF files cannot be read"},
        {std::string("0\nSECTION\n2\nENTITIES\n0\nLI\0NE\n", 27),
         "test.dxf, line 6: the file holds a NUL byte"},
        {file("0\nTEXT\n1\n" + std::string(1200, 'x') + "\n"),
         "test.dxf, line 8: the line is longer than 1000 characters"},
        {"0\nSECTION\n2\nENTITIES\n0\nSECTION\n",
         "test.dxf, line 5: SECTION inside the ENTITIES section"},
        {"999\ncomment\n0\nLINE\n", "test.dxf, line 3: expected a SECTION, found group 0 \"LINE\""},
    };
    for (const auto& c : cases) {
        const std::string failure = failureOf(c.contents);
        EXPECT_EQ(failure.substr(0, c.expected.size()), c.expected) << failure;
    }
}

// Every cut of a good file is either read or refused with a message, never more.
TEST(DxfReader, EveryTruncationFailsCleanly) {
    const std::string whole = test::dxfText(*test::everyEntityDrawing());
    int refused = 0;
    for (std::size_t cut = 0; cut < whole.size(); cut += 97) {
        try {
            readDxf(whole.substr(0, cut), "cut.dxf");
        } catch (const HostError& e) {
            EXPECT_EQ(std::string(e.what()).rfind("cut.dxf", 0), 0u);
            ++refused;
        }
    }
    EXPECT_EQ(refused, static_cast<int>((whole.size() + 96) / 97));
}

// A file from another writer (ezdxf): attribute definitions in order among the other entities,
// a heavy polyline, a paper space entity (left out), a layer that is off, an R2010 file's UTF-8.
TEST(DxfReader, ReadsAFileAnotherProgramWrote) {
    test::ScratchDir dir("dxf-foreign");
    const auto path = dir / "foreign.dxf";
    const std::string script =
        "import ezdxf\n"
        "doc = ezdxf.new('R2010')\n"
        "doc.layers.new('OFF', dxfattribs={'color': -3})\n"
        "b = doc.blocks.new('SYM')\n"
        "b.add_line((0, 0), (1, 0))\n"
        "a = b.add_attdef('NAME', (0, 2), dxfattribs={'height': 1.5})\n"
        "a.set_placement((0, 2), align=ezdxf.enums.TextEntityAlignment.MIDDLE_CENTER)\n"
        "b.add_circle((0, 0), 1)\n"
        "b.add_attdef('LEVEL', (3, 0), dxfattribs={'height': 1, 'flags': 1})\n"
        "msp = doc.modelspace()\n"
        "r = msp.add_blockref('SYM', (10, 10), dxfattribs={'layer': 'OFF', 'rotation': 90})\n"
        "r.add_auto_attribs({'NAME': 'Ø JN1', 'LEVEL': '1012.5'})\n"
        "msp.add_polyline2d([(0, 0), (5, 0), (5, 5)], close=True)\n"
        "doc.layout('Layout1').add_line((0, 0), (9, 9))\n"
        "doc.saveas('" +
        path.string() + "')\n";
    std::ofstream(dir / "make.py") << script;
    ASSERT_EQ(std::system(("/usr/bin/python3 " + (dir / "make.py").string()).c_str()), 0);
    const auto d = readDxfFile(path);
    EXPECT_EQ(d->name(), "foreign.dxf");
    EXPECT_FALSE(d->layers().item("OFF").on());
    EXPECT_EQ(d->layers().item("OFF").color(), 3);
    const CadBlock& sym = d->blocks().item("SYM");
    std::vector<EntityKind> kinds;
    for (const CadEntity* e : sym.entities())
        kinds.push_back(e->kind());
    EXPECT_EQ(kinds,
              (std::vector<EntityKind>{EntityKind::Line, EntityKind::AttributeDefinition,
                                       EntityKind::Circle, EntityKind::AttributeDefinition}));
    const auto* name = entityAs<CadAttributeDefinition>(*sym.entities()[1]);
    EXPECT_EQ(name->tagString(), "NAME");
    EXPECT_EQ(name->alignment(), TextAlignment::MiddleCenter);
    EXPECT_EQ(name->textAlignmentPoint(), (Point{0, 2, 0}));
    const auto ms = d->modelSpace().entities();
    ASSERT_EQ(ms.size(), 2u);  // the paper space line is left out
    const auto* ref = entityAs<CadBlockReference>(*ms[0]);
    ASSERT_NE(ref, nullptr);
    EXPECT_DOUBLE_EQ(ref->rotation(), std::numbers::pi / 2);
    ASSERT_EQ(ref->attributeCount(), 2u);
    EXPECT_EQ(ref->attributes()[0].textString(), "Ø JN1");
    EXPECT_FALSE(ref->attributes()[0].invisible());
    EXPECT_TRUE(ref->attributes()[1].invisible());
    const auto* square = entityAs<CadPolyline>(*ms[1]);
    ASSERT_NE(square, nullptr);
    EXPECT_TRUE(square->closed());
    EXPECT_EQ(square->vertices().size(), 3u);
}

TEST(DxfReader, InsertingTheTemplateFileBringsItsBlocksAndLeavesModelSpaceEmpty) {
    Drawing d("Drawing1.dwg", dxfFileReader());
    const auto dwg = test::sourceDir() / "data" / "Pipe-des-blank.dwg";
    CadBlockReference& ref = d.modelSpace().insertBlock({0, 0, 0}, dwg.string(), 1, 1, 1, 0);
    ref.erase();
    EXPECT_EQ(d.modelSpace().count(), 0u);
    for (const char* name : {"ini-format", "conl", "a4_paper", "BPC", "INTAKE_CC", "TNO"}) {
        EXPECT_NE(d.blocks().find(name), nullptr) << name;
    }
    EXPECT_NE(d.textStyles().find("romans"), nullptr);
    // A second insertion (the profile command run again) keeps what is there.
    const int blocks = d.blocks().count();
    d.modelSpace().insertBlock({0, 0, 0}, dwg.string(), 1, 1, 1, 0).erase();
    EXPECT_EQ(d.blocks().count(), blocks);
}

}  // namespace
}  // namespace plovis
