#include "hosts/dxf/dxf_writer.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <fstream>
#include <numbers>
#include <set>
#include <sstream>

#include "dxf_test_support.h"
#include "hosts/dxf/dxf_file.h"
#include "hosts/host_error.h"
#include "support/file_bytes.h"
#include "support/golden_table.h"
#include "support/snapshot.h"
#include "support/test_paths.h"

namespace plovis {
namespace {

// "<kind> <code> <value>" as the writer writes the group.
std::string written(const std::string& line) {
    const std::string kind = line.substr(0, line.find(' '));
    const std::size_t at = kind.size() + 1, space = line.find(' ', at);
    const int code = std::stoi(line.substr(at, space - at));
    const std::string value = line.substr(space + 1);
    std::string text;
    DxfTagWriter w([&](std::string_view chunk) { text.append(chunk); });
    if (kind == "text") w.text(code, value);
    if (kind == "integer") w.integer(code, std::stoi(value));
    if (kind == "real") w.real(code, std::stod(value));
    if (kind == "handle") w.handle(code, std::stoul(value, nullptr, 16));
    if (kind == "point")
        w.point(code, {std::stod(value), std::stod(value.substr(value.find(',') + 1)), 0});
    w.flush();
    return text;
}

TEST(DxfTagWriter, WritesRightAlignedCodesShortestNumbersAndOneLineTexts) {
    test::expectGoldenTable("hosts/dxf", "tag_writer", written);
    DxfTagWriter failing([](std::string_view) { throw HostError("disk full"); });
    EXPECT_THROW(for (int i = 0; i < 200000; ++i) failing.text(1, "a value to fill the buffer"),
                 HostError)
        << "a failing sink stops the writing";
}

// The drawing's file as "|code|value|code|value|...|", codes trimmed.
std::string groups(const Drawing& d) {
    std::istringstream in(test::dxfText(d));
    std::string out = "|", code, value;
    while (std::getline(in, code) && std::getline(in, value))
        out += std::to_string(std::stoi(code)) + "|" + value + "|";
    return out;
}

// Each part a CAD program needs before it opens the file, checked on its own.
TEST(DxfWriter, WritesEverySectionAndTableAnR2000ReaderNeeds) {
    const std::string file = groups(Drawing());
    std::size_t at = 0;
    for (const char* name : {"HEADER", "CLASSES", "TABLES", "BLOCKS", "ENTITIES", "OBJECTS"}) {
        at = file.find("|0|SECTION|2|" + std::string(name) + "|", at);
        EXPECT_NE(at, std::string::npos) << name << " missing or out of order";
    }
    EXPECT_TRUE(file.ends_with("|0|EOF|"));
    // The version and units are in the ezdxf dump of what we save.
    std::vector<std::string> parts{"|0|SECTION|2|OBJECTS|0|DICTIONARY|", "|3|ACAD_GROUP|"};
    for (const char* table :
         {"VPORT", "LTYPE", "LAYER", "STYLE", "VIEW", "UCS", "APPID", "DIMSTYLE", "BLOCK_RECORD"})
        parts.push_back("|0|TABLE|2|" + std::string(table) + "|");
    for (const char* record : {"ViewportTableRecord|2|*Active", "LayerTableRecord|2|0",
                               "RegAppTableRecord|2|ACAD", "TextStyleTableRecord|2|Standard",
                               "DimStyleTableRecord|2|Standard", "LinetypeTableRecord|2|ByBlock",
                               "LinetypeTableRecord|2|ByLayer", "LinetypeTableRecord|2|Continuous",
                               "BlockTableRecord|2|*Model_Space", "BlockTableRecord|2|*Paper_Space",
                               "BlockBegin|2|*Model_Space", "BlockBegin|2|*Paper_Space"})
        parts.push_back("|100|AcDb" + std::string(record) + "|");
    for (const std::string& part : parts)
        EXPECT_NE(file.find(part), std::string::npos) << part;
    EXPECT_EQ(file.find("|3|ACAD_GROUP|"), file.rfind("|3|ACAD_GROUP|"));
}

// Handles: unique, every owner and pointer names an object of the file, all below $HANDSEED.
TEST(DxfWriter, HandlesAreUniqueBelowTheSeedAndPointersResolve) {
    std::istringstream in(test::dxfText(*test::everyEntityDrawing()));
    std::set<unsigned long> handles;
    std::vector<std::string> pointers;
    unsigned long seed = 0;
    std::string code, value, previous;
    while (std::getline(in, code) && std::getline(in, value)) {
        const int c = std::stoi(code);
        if (previous == "$HANDSEED") seed = std::stoul(value, nullptr, 16);
        if ((c == 5 || c == 105) && previous != "$HANDSEED") {
            EXPECT_TRUE(handles.insert(std::stoul(value, nullptr, 16)).second) << value << " twice";
        }
        if (c == 330 || c == 340 || c == 350) pointers.push_back(value);
        previous = value;
    }
    ASSERT_FALSE(handles.empty());
    EXPECT_EQ(seed, *handles.rbegin() + 1) << "the seed counts handles exactly";
    for (const std::string& p : pointers)
        EXPECT_TRUE(p == "0" || handles.count(std::stoul(p, nullptr, 16))) << "points at " << p;
}

// A centred text stands on its alignment point (11) with 72 = 1 and, in its second part, 73 = 1;
// its first point (10), turned upright, holds where its baseline starts: half the text below the
// alignment point and left of it (the baseline stands above the descenders). A baseline-left text
// has neither. A reference carries its attributes and a sequence end, its block the flag 2.
TEST(DxfWriter, AlignedTextsAndReferencesWithAttributes) {
    Drawing d;
    CadText& t = d.modelSpace().addText("SPL(1290.0)", {50, 45, 0}, 1.2);
    t.setVerticalAlignment(1);
    t.setHorizontalAlignment(1);
    t.setTextAlignmentPoint({50, 46.5, 0});
    t.setRotation(std::numbers::pi / 2);
    d.modelSpace().addText("Branch 1", {-33, -55, 0}, 3);
    CadBlock& b = d.blocks().add("TNO", {0, 0, 0});
    CadAttributeDefinition& def = b.addAttribute(1.5, 0, "Node", {2, 5, 0}, "NAME", "?");
    def.setAlignment(TextAlignment::MiddleLeft);
    def.setTextAlignmentPoint({2, 5, 0});
    d.modelSpace().insertBlock({10, 10, 0}, "TNO", 1, 1, 1, 0).attribute(0).setTextString("T3");
    std::istringstream in(test::dxfText(d));
    std::string file, code, value;  // a line per entity: "TEXT|5|21|330|17|..."
    while (std::getline(in, code) && std::getline(in, value))
        file += (std::stoi(code) == 0 ? "\n" : "|" + std::to_string(std::stoi(code)) + "|") + value;
    const std::size_t begin = file.rfind('\n', file.find("|2|TNO|70|"));
    file = file.substr(begin + 1, file.find("\nENDSEC", file.find("\nSECTION|2|ENTITIES")) - begin);
    test::expectGolden(file, "hosts/dxf", "texts_and_references");
}

// What we save, ezdxf audits and reads as reviewed, also from a drawing our reader read.
TEST(DxfFile, WhatWeSavePassesTheEzdxfAuditAndReadsBackTheSame) {
    test::ScratchDir dir("ezdxf");
    saveDxfFile(*test::everyEntityDrawing(), dir / "every.dxf");
    saveDxfFile(*readDxfFile(dir / "every.dxf"), dir / "again.dxf");
    Drawing empty("empty.dwg");
    saveDxfFile(empty, dir / "empty.dxf");
    const std::string dump =
        test::ezdxfDump({dir / "every.dxf", dir / "again.dxf", dir / "empty.dxf"});
    test::expectGolden(dump, "hosts/dxf", "every_entity");
    const std::size_t again = dump.find("FILE again.dxf\n"), end = dump.find("FILE empty.dxf\n");
    EXPECT_EQ(dump.substr(again + 15, end - again - 15), dump.substr(15, again - 15));
    EXPECT_THROW(saveDxfFile(empty, "/no/such/folder/x.dxf"), HostError);
}

// A write that fails halfway (the file size limit stands in for a full disk) leaves the earlier
// file as it was and no temporary file beside it.
TEST(DxfFile, AFailedSaveLeavesTheEarlierFileAsItWas) {
    test::ScratchDir dir("dxf-failed-save");
    const auto target = dir / "profile.dxf";
    std::ofstream(target) << "earlier drawing";
    auto d = test::everyEntityDrawing();
    for (int i = 0; i < 2000; ++i)
        d->modelSpace().addLine({0, 0, 0}, {i * 1.0, 1, 0});
    rlimit old{};
    ::getrlimit(RLIMIT_FSIZE, &old);
    auto* previous = ::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 4096;
    ::setrlimit(RLIMIT_FSIZE, &small);
    EXPECT_THROW(saveDxfFile(*d, target), HostError);
    ::setrlimit(RLIMIT_FSIZE, &old);
    ::signal(SIGXFSZ, previous);
    EXPECT_EQ(test::readBytes(target), "earlier drawing");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
    EXPECT_TRUE(d->modified());
    saveDxfFile(*d, target);
    EXPECT_FALSE(d->modified()) << "a saved drawing counts as saved";
}

}  // namespace
}  // namespace plovis
