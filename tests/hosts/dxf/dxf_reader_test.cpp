#include <gtest/gtest.h>

#include <algorithm>
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

// DXF text of groups written on one line: "0|LINE|8|0" is group 0 LINE, then group 8 0.
std::string g(std::string groups) {
    std::replace(groups.begin(), groups.end(), '|', '\n');
    return groups.empty() ? groups : groups + "\n";
}

// A file of the given ENTITIES groups, after BLOCKS and TABLES sections when given; without
// them its first entity stands on line 5.
std::string file(const std::string& entities, const std::string& blocks = "",
                 const std::string& tables = "") {
    std::string text;
    if (!tables.empty()) text += g("0|SECTION|2|TABLES|" + tables + "|0|ENDSEC");
    if (!blocks.empty()) text += g("0|SECTION|2|BLOCKS|" + blocks + "|0|ENDSEC");
    return text +
           g("0|SECTION|2|ENTITIES" + (entities.empty() ? "" : "|" + entities) + "|0|ENDSEC|0|EOF");
}

const std::string kLine = "0|LINE|8|0|10|0|20|0|11|1|21|1";
const std::string kBlockB = "0|BLOCK|2|B|0|ENDBLK";

TEST(DxfReader, WhatWeWriteReadsBackToTheSameDrawing) {
    const auto drawing = test::everyEntityDrawing();
    const std::string first = test::dxfText(*drawing);
    const auto read = readDxf(first, "every.dxf");
    EXPECT_EQ(test::expectedDump(*read), test::expectedDump(*drawing));
    EXPECT_EQ(test::dxfText(*read), first);
    EXPECT_FALSE(read->modified());
    EXPECT_EQ(read->activeTextStyle().name(), "romans");
}

// Small files, each read into the blocks and model space shown.
TEST(DxfReader, ReadsWhatCadProgramsWrite) {
    const struct {
        std::string contents, entities;
    } cases[] = {
        // A layer the file uses without listing it is made.
        {file("0|CIRCLE|8|NEW|10|5|20|5|40|2"), "MODEL\n  CIRCLE NEW 256 ByLayer (5,5) r=2\n"},
        // Escapes and code page 1252 in an R2000 file.
        {file("0|TEXT|10|0|20|0|40|2|1|\\U+2300 63 \xB1 1 \x96"),
         "MODEL\n  TEXT 0 256 ByLayer \"⌀ 63 ± 1 –\" h=2 rot=0 style=Standard align=0,0 "
         "at=(0,0)\n"},
        // Blocks CAD programs make themselves have names starting with '*'; the model and paper
        // space blocks and paper space entities are left out.
        {file("0|INSERT|2|*U2|10|1|20|0|0|LINE|67|1",
              "0|BLOCK|2|*U2|" + kLine + "|0|ENDBLK|0|BLOCK|2|*Paper_Space|" + kLine + "|0|ENDBLK"),
         "BLOCK *U2 base=(0,0)\n  LINE 0 256 ByLayer (0,0) (1,1)\n"
         "MODEL\n  INSERT 0 256 ByLayer *U2 (1,0) s=1,1 rot=0\n"},
        // A heavy polyline (a mesh face vertex, 128, is no point); a centred text without its
        // second point stands on its first.
        {file("0|POLYLINE|70|1|0|VERTEX|10|1|20|2|42|0.5|0|VERTEX|70|128|0|VERTEX|10|3|0|SEQEND|"
              "0|TEXT|10|4|20|5|1|T|72|1"),
         "MODEL\n  LWPOLYLINE 0 256 ByLayer closed=1 (1,2)/0.5 (3,0)/0\n"
         "  TEXT 0 256 ByLayer \"T\" h=2.5 rot=0 style=Standard align=1,0 at=(4,5)\n"},
        // An invisible attribute without its second point; a definition in order among entities.
        {file("0|INSERT|2|B|66|1|0|ATTRIB|2|N|1|v|70|1|72|2|0|SEQEND",
              "0|BLOCK|2|B|0|ATTDEF|2|N|3|Name|10|1|20|1|40|2|" + kLine + "|0|ENDBLK"),
         "BLOCK B base=(0,0)\n  ATTDEF 0 256 ByLayer tag=N prompt=Name flags=0 \"\" h=2 rot=0 "
         "style=Standard align=0,0 at=(1,1)\n  LINE 0 256 ByLayer (0,0) (1,1)\nMODEL\n  INSERT 0 "
         "256 ByLayer B (0,0) s=1,1 rot=0\n    ATTRIB 0 256 ByLayer tag=N flags=1 \"v\" h=2.5 "
         "rot=0 style=Standard align=2,0 at=(0,0)\n"},
    };
    for (const auto& c : cases) {
        const std::string dump = test::expectedDump(*readDxf(c.contents, "t.dxf"));
        const std::size_t blocks = dump.find("BLOCK ");
        EXPECT_EQ(dump.substr(blocks == std::string::npos ? dump.find("MODEL") : blocks),
                  c.entities)
            << c.contents;
    }
}

TEST(DxfReader, MalformedFilesFailNamingTheLine) {
    const struct {
        std::string contents;
        int line;
        std::string fault;  // the start of it
    } cases[] = {
        {"", 1, "the file is empty"},
        {g("0|SECTION|2|ENTITIES|0|LINE|10"), 7, "the file ends after group code 10, before its"},
        {g("0|SECTION|2|ENTITIES|" + kLine), 1, "the ENTITIES section starting here has no ENDSEC"},
        {g("0|SECTION|2|ENTITIES|0|ENDSEC"), 6, "the file ends without its EOF marker"},
        {g("0|SECTION|0|ENTITIES"), 1, "a SECTION without its name"},
        {g("0|SECTION|2|ENTITIES|abc|LINE"), 5, "\"abc\" is not a group code"},
        {g("0|SECTION|2|ENTITIES|0|SECTION"), 5, "SECTION inside the ENTITIES section"},
        {g("999|comment|0|LINE"), 3, "expected a SECTION, found group 0 \"LINE\""},
        {"AutoCAD Binary DXF\r\n\x1a", 1, "binary DXF files cannot be read"},
        {std::string("0\nSECTION\n2\nENTITIES\n0\nLI\0NE\n", 27), 6, "the file holds a NUL byte"},
        {file("0|TEXT|1|" + std::string(1200, 'x')), 8, "the line is longer than 1000 characters"},
        {file("0|LINE|85|1"), 7, "there is no group code 85"},
        {file("0|LINE|-5|1"), 7, "there is no group code -5"},
        {file("0|LINE|10|nan"), 7, "\"nan\" is not a usable number (group 10)"},
        {file("0|LINE|10|1e308"), 7, "\"1e308\" is not a usable number (group 10)"},
        {file("0|LINE|20|1e999"), 7, "\"1e999\" is not a usable number (group 20)"},
        {file("0|LINE|62|1.5"), 7, "\"1.5\" is not a whole number (group 62)"},
        {file("0|LINE|62|4294967296"), 7, "\"4294967296\" is not a whole number (group 62)"},
        {file("0|MTEXT|8|0"), 5, "the entity MTEXT is not supported"},
        {file("0|VERTEX|8|0"), 5, "VERTEX outside a POLYLINE"},
        {file("0|ATTRIB|8|0"), 5, "ATTRIB outside an INSERT with attributes"},
        {file("0|SEQEND"), 5, "SEQEND without POLYLINE or INSERT"},
        {file("0|LWPOLYLINE|90|3|10|0|20|0|10|1|20|1"), 5,
         "a LWPOLYLINE declaring 3 vertices has 2"},
        {file("0|LWPOLYLINE|90|1|10|0|10|1"), 11, "more LWPOLYLINE vertices than its count says"},
        {file("0|LWPOLYLINE|90|1|10|0|90|1"), 11,
         "the vertex count of a LWPOLYLINE must come once"},
        {file("0|LWPOLYLINE|90|2|42|1|10|0|20|0"), 9, "a LWPOLYLINE bulge before its first vertex"},
        {file("0|LWPOLYLINE|10|0|90|1"), 7, "a LWPOLYLINE vertex before the vertex count"},
        {file("0|LWPOLYLINE|90|2000000"), 7, "a LWPOLYLINE of 2000000 vertices"},
        {file("0|LWPOLYLINE|90|0"), 7, "a LWPOLYLINE of 0 vertices"},
        {file("0|POLYLINE|70|8"), 7, "3D polylines and polygon meshes are not supported"},
        {file("0|POLYLINE|8|0|" + kLine), 5, "the POLYLINE starting here has no SEQEND"},
        {file("0|INSERT|2|B|66|1|10|0|20|0"), 5, "the INSERT starting here has no SEQEND"},
        {file("0|INSERT|8|0|2|NOSUCH"), 5, "the block \"NOSUCH\" is not defined in the file"},
        {file("", "0|BLOCK|2|A|0|INSERT|2|A|0|ENDBLK"), 9, "the block \"A\" holds itself"},
        {file("", "0|BLOCK|2|A|" + kLine), 5, "the BLOCK starting here has no ENDBLK"},
        {file("", "0|BLOCK|8|0|" + kLine + "|0|ENDBLK"), 5, "a BLOCK without its name"},
        {file("", kLine), 5, "the entity LINE stands outside a block definition"},
        {file("", "0|ENDBLK"), 5, "ENDBLK without its BLOCK"},
        {file("", "0|BLOCK|2|A|0|BLOCK|2|B|0|ENDBLK|0|ENDBLK"), 9, "a BLOCK inside another BLOCK"},
        {file("", kBlockB + "|0|BLOCK|2|b|0|ENDBLK"), 11, "a second block named b"},
        {file("", "", "0|TABLE|2|LAYER|" + kLine + "|0|ENDTAB"), 9,
         "\"LINE\" is not a table record"},
        {file("", "", "0|TABLE|0|LAYER"), 7, "a TABLE without its name"},
        {file("", "", "0|TABLE|2|A|0|TABLE"), 9, "a TABLE inside another TABLE"},
        {file("", "", "0|ENDTAB"), 5, "ENDTAB without its TABLE"},
        {file("", "", "0|TABLE|2|LAYER"), 9, "a TABLE of this section has no ENDTAB"},
        {file("", "", "0|TABLE|2|LAYER|0|LAYER|2|HGL|62|6|6|HIDDEN|0|ENDTAB"), 9,
         "The line type \"HIDDEN\" is not loaded"},
        {file("0|LINE|6|ZIGZAG"), 5, "the line type \"ZIGZAG\" is not defined in the file"},
        {file("0|LINE|62|300"), 5, "colour number 300 does not exist"},
        {file("0|INSERT|2|B|41|0"), 5, "Invalid block scale 0"},
        {file("0|CIRCLE|40|-2"), 5, "Invalid circle radius: -2"},
        {file("0|TEXT|1|x|72|9"), 5, "text alignment 9,0 does not exist"},
        // An attribute's fault is named on the line of its INSERT.
        {file("0|INSERT|2|B|66|1|0|ATTRIB|62|-1|0|SEQEND", kBlockB), 17, "colour number -1 does"},
        // A fault of the structure comes first, even after a fault of content.
        {file("0|LINE|62|300|0|VERTEX"), 9, "VERTEX outside a POLYLINE"},
    };
    for (const auto& c : cases) {
        const std::string expected = "test.dxf, line " + std::to_string(c.line) + ": " + c.fault;
        const std::string failure = failureOf(c.contents);
        EXPECT_EQ(failure.substr(0, expected.size()), expected) << failure;
    }
}

// Every cut of a good file is refused with a message naming the file and line, never more.
TEST(DxfReader, EveryTruncationFailsCleanly) {
    const std::string whole = test::dxfText(*test::everyEntityDrawing());
    for (std::size_t cut = 0; cut < whole.size(); cut += 97) {
        EXPECT_EQ(failureOf(whole.substr(0, cut)).rfind("test.dxf, line ", 0), 0u) << cut;
    }
}

// A file from another writer (ezdxf): attribute definitions in order among the other entities,
// a heavy polyline, a paper space entity (left out), a layer that is off, an R2010 file's UTF-8.
TEST(DxfReader, ReadsAFileAnotherProgramWrote) {
    test::ScratchDir dir("dxf-foreign");
    const auto path = dir / "foreign.dxf";
    std::ofstream(dir / "make.py")
        << "import ezdxf\n"
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
           "doc.saveas('"
        << path.string() << "')\n";
    ASSERT_EQ(std::system(("/usr/bin/python3 " + (dir / "make.py").string()).c_str()), 0);
    const auto d = readDxfFile(path);
    EXPECT_EQ(d->name(), "foreign.dxf");
    const std::string dump = test::expectedDump(*d);
    EXPECT_NE(dump.find("LAYER OFF color=3 linetype=Continuous on=0"), std::string::npos);
    EXPECT_EQ(dump.substr(dump.find("BLOCK SYM")),
              "BLOCK SYM base=(0,0)\n"
              "  LINE 0 256 ByLayer (0,0) (1,0)\n"
              "  ATTDEF 0 256 ByLayer tag=NAME prompt= flags=0 \"\" h=1.5 rot=0 style=Standard "
              "align=1,2 at=(0,2)\n"
              "  CIRCLE 0 256 ByLayer (0,0) r=1\n"
              "  ATTDEF 0 256 ByLayer tag=LEVEL prompt= flags=1 \"\" h=1 rot=0 style=Standard "
              "align=0,0 at=(3,0)\n"
              "MODEL\n"
              "  INSERT OFF 256 ByLayer SYM (10,10) s=1,1 rot=90\n"
              "    ATTRIB 0 256 ByLayer tag=NAME flags=0 \"Ø JN1\" h=1.5 rot=90 style=Standard "
              "align=1,2 at=(8,10)\n"
              "    ATTRIB 0 256 ByLayer tag=LEVEL flags=1 \"1012.5\" h=1 rot=90 style=Standard "
              "align=0,0 at=(10,13)\n"
              "  LWPOLYLINE 0 256 ByLayer closed=1 (0,0)/0 (5,0)/0 (5,5)/0\n");
}

TEST(DxfReader, InsertingTheTemplateFileBringsItsBlocksAndLeavesModelSpaceEmpty) {
    Drawing d("Drawing1.dwg", dxfFileReader());
    const auto dwg = test::sourceDir() / "data" / "Pipe-des-blank.dwg";
    d.modelSpace().insertBlock({0, 0, 0}, dwg.string(), 1, 1, 1, 0).erase();
    EXPECT_EQ(d.modelSpace().count(), 0u);
    EXPECT_NE(d.blocks().find("INTAKE_CC"), nullptr);
    EXPECT_NE(d.textStyles().find("romans"), nullptr);
    // A second insertion (the profile command run again) keeps what is there.
    const int blocks = d.blocks().count();
    d.modelSpace().insertBlock({0, 0, 0}, dwg.string(), 1, 1, 1, 0).erase();
    EXPECT_EQ(d.blocks().count(), blocks);
}

}  // namespace
}  // namespace plovis
