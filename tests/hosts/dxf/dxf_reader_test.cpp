#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "dxf_test_support.h"
#include "hosts/dxf/dxf_file.h"
#include "hosts/host_error.h"
#include "support/failure_text.h"
#include "support/golden_table.h"
#include "support/snapshot.h"
#include "support/test_paths.h"

namespace plovis {
namespace {

std::string failureOf(const std::string& contents) {
    return test::failureText<HostError>([&] { readDxf(contents, "test.dxf"); });
}

// DXF text of groups written on one line: "0|LINE|8|0|" is group 0 LINE, then group 8 0.
std::string g(std::string groups) {
    std::replace(groups.begin(), groups.end(), '|', '\n');
    return groups;
}

// A file of the given ENTITIES groups, after a BLOCKS section when given.
std::string file(const std::string& entities, const std::string& blocks = "") {
    const std::string b = blocks.empty() ? "" : "0|SECTION|2|BLOCKS|" + blocks + "|0|ENDSEC|";
    return g(b + "0|SECTION|2|ENTITIES|" + entities + "|0|ENDSEC|0|EOF|");
}

const std::string kLine = "0|LINE|8|0|10|0|20|0|11|1|21|1";

TEST(DxfReader, WhatWeWriteReadsBackToTheSameDrawing) {
    const std::string first = test::dxfText(*test::everyEntityDrawing());
    const auto read = readDxf(first, "every.dxf");
    EXPECT_EQ(test::dxfText(*read), first);
    EXPECT_FALSE(read->modified());
    EXPECT_EQ(read->activeTextStyle().name(), "romans");
}

// Small files as CAD programs write them, and a file ezdxf wrote itself (attribute definitions
// in order among the other entities, a heavy polyline, a paper space entity, a layer that is
// off, an R2010 file's UTF-8): each read, saved again and shown by ezdxf.
TEST(DxfReader, ReadsWhatCadProgramsWrite) {
    const std::string files[] = {
        // A layer the file uses without listing it is made.
        file("0|CIRCLE|8|NEW|10|5|20|5|40|2"),
        // Escapes and code page 1252 in an R2000 file.
        file("0|TEXT|10|0|20|0|40|2|1|\\U+2300 63 \xB1 1 \x96"),
        // Blocks CAD programs make themselves have names starting with '*'; the model and paper
        // space blocks and paper space entities are left out.
        file("0|INSERT|2|*U2|10|1|20|0|0|LINE|67|1",
             "0|BLOCK|2|*U2|" + kLine + "|0|ENDBLK|0|BLOCK|2|*Paper_Space|" + kLine + "|0|ENDBLK"),
        // A heavy polyline (a mesh face vertex, 128, is no point); a centred text without its
        // second point stands on its first.
        file("0|POLYLINE|70|1|0|VERTEX|10|1|20|2|42|0.5|0|VERTEX|70|128|0|VERTEX|10|3|0|SEQEND|"
             "0|TEXT|10|4|20|5|1|T|72|1"),
        // An invisible attribute without its second point; a definition in order among entities.
        file("0|INSERT|2|B|66|1|0|ATTRIB|2|N|1|v|70|1|72|2|0|SEQEND",
             "0|BLOCK|2|B|0|ATTDEF|2|N|3|Name|10|1|20|1|40|2|" + kLine + "|0|ENDBLK")};
    test::ScratchDir dir("dxf-read");
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
        << (dir / "foreign.dxf").string() << "')\n";
    ASSERT_EQ(std::system(("/usr/bin/python3 " + (dir / "make.py").string()).c_str()), 0);
    EXPECT_EQ(readDxfFile(dir / "foreign.dxf")->name(), "foreign.dxf");
    std::vector<std::filesystem::path> saved{dir / "foreign.dxf"};
    for (const std::string& f : files) {
        saved.push_back(dir / ("case" + std::to_string(saved.size()) + ".dxf"));
        saveDxfFile(*readDxf(f, "t.dxf"), saved.back());
    }
    saveDxfFile(*readDxfFile(saved.front()), saved.front());
    test::expectGolden(test::ezdxfDump(saved), "hosts/dxf", "read_files");
    const auto escaped = readDxf(files[1], "t.dxf");
    EXPECT_EQ(entityAs<CadText>(*escaped->modelSpace().entities()[0])->textString(),
              "⌀ 63 ± 1 –");  // ezdxf shows the escape
}

TEST(DxfReader, MalformedFilesFailNamingTheLine) {
    test::expectGoldenTable("hosts/dxf", "malformed_files",
                            [](const std::string& groups) { return failureOf(g(groups)); });
}

// Every cut of a good file is refused with a message naming the file and line, never more.
TEST(DxfReader, EveryTruncationFailsCleanly) {
    const std::string whole = test::dxfText(*test::everyEntityDrawing());
    for (std::size_t cut = 0; cut < whole.size(); cut += 97)
        EXPECT_EQ(failureOf(whole.substr(0, cut)).rfind("test.dxf, line ", 0), 0u) << cut;
}

}  // namespace
}  // namespace plovis
