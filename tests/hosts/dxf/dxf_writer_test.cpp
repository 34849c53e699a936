#include "hosts/dxf/dxf_writer.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <numbers>
#include <set>
#include <sstream>

#include "dxf_test_support.h"
#include "hosts/dxf/dxf_file.h"
#include "hosts/host_error.h"
#include "support/test_paths.h"

namespace plovis {
namespace {

using test::DxfTag;

std::string written(const std::function<void(DxfTagWriter&)>& write) {
    std::string text;
    DxfTagWriter w([&](std::string_view chunk) { text.append(chunk); });
    write(w);
    w.flush();
    return text;
}

TEST(DxfTagWriter, WritesRightAlignedCodesAndShortestNumbers) {
    EXPECT_EQ(written([](DxfTagWriter& w) { w.text(0, "LINE"); }), "  0\nLINE\n");
    EXPECT_EQ(written([](DxfTagWriter& w) { w.integer(370, -3); }), "370\n-3\n");
    EXPECT_EQ(written([](DxfTagWriter& w) { w.real(40, 2.5); }), " 40\n2.5\n");
    EXPECT_EQ(written([](DxfTagWriter& w) { w.real(10, 0.1 + 0.2); }),
              " 10\n0.30000000000000004\n");
    EXPECT_EQ(written([](DxfTagWriter& w) { w.real(20, -0.0); }), " 20\n0\n");
    EXPECT_EQ(written([](DxfTagWriter& w) { w.real(10, 1234567.5); }), " 10\n1234567.5\n");
    EXPECT_EQ(written([](DxfTagWriter& w) { w.handle(5, 0x2af); }), "  5\n2AF\n");
    EXPECT_EQ(written([](DxfTagWriter& w) { w.point(11, {1, 2, 0}); }), " 11\n1\n 21\n2\n 31\n0\n");
}

TEST(DxfTagWriter, TextsStayOnOneLineInTheDrawingsCodePage) {
    EXPECT_EQ(written([](DxfTagWriter& w) { w.text(1, "J4\r\nBPC\t2"); }), "  1\nJ4  BPC 2\n");
    EXPECT_EQ(written([](DxfTagWriter& w) { w.text(1, "é ±"); }), "  1\n\xE9 \xB1\n");
    EXPECT_EQ(written([](DxfTagWriter& w) { w.text(1, "⌀63"); }), "  1\n\\U+230063\n");
    EXPECT_EQ(written([](DxfTagWriter& w) { w.text(1, "bad \xFF byte"); }), "  1\nbad ? byte\n");
}

TEST(DxfTagWriter, AFailingSinkStopsTheWriting) {
    DxfTagWriter w([](std::string_view) { throw HostError("disk full"); });
    for (int i = 0; i < 200000; ++i) {
        try {
            w.text(1, "a value long enough to fill the buffer soon");
        } catch (const HostError&) {
            SUCCEED();
            return;
        }
    }
    FAIL() << "the sink was never called";
}

struct Section {
    std::string name;
    std::vector<DxfTag> tags;
};

std::vector<Section> sections(const std::vector<DxfTag>& tags) {
    std::vector<Section> out;
    for (std::size_t i = 0; i + 1 < tags.size(); ++i) {
        if (tags[i] == DxfTag{0, "SECTION"}) {
            out.push_back({tags[i + 1].value, {}});
            ++i;  // the name
        } else if (!out.empty() && tags[i] != DxfTag{0, "ENDSEC"}) {
            out.back().tags.push_back(tags[i]);
        }
    }
    return out;
}

bool has(const std::vector<DxfTag>& tags, const DxfTag& a, const DxfTag& b) {
    for (std::size_t i = 0; i + 1 < tags.size(); ++i) {
        if (tags[i] == a && tags[i + 1] == b) return true;
    }
    return false;
}

// Each part a CAD program needs before it opens the file, checked on its own.
TEST(DxfWriter, WritesEverySectionAndTableAnR2000ReaderNeeds) {
    Drawing d;
    const auto tags = test::dxfTags(test::dxfText(d));
    const auto parts = sections(tags);
    std::vector<std::string> names;
    for (const auto& s : parts)
        names.push_back(s.name);
    EXPECT_EQ(names, (std::vector<std::string>{"HEADER", "CLASSES", "TABLES", "BLOCKS", "ENTITIES",
                                               "OBJECTS"}))
        << "sections missing or out of order";
    EXPECT_EQ(tags.back(), (DxfTag{0, "EOF"})) << "no EOF marker";
    const auto& header = parts[0].tags;
    EXPECT_TRUE(has(header, {9, "$ACADVER"}, {1, "AC1015"})) << "not marked as R2000";
    EXPECT_TRUE(has(header, {9, "$INSUNITS"}, {70, "4"})) << "units not millimetres";
    EXPECT_TRUE(has(header, {9, "$MEASUREMENT"}, {70, "1"})) << "not metric";
    const auto& tables = parts[2].tags;
    for (const char* table :
         {"VPORT", "LTYPE", "LAYER", "STYLE", "VIEW", "UCS", "APPID", "DIMSTYLE", "BLOCK_RECORD"}) {
        EXPECT_TRUE(has(tables, {0, "TABLE"}, {2, table})) << "table " << table << " missing";
    }
    EXPECT_TRUE(has(tables, {100, "AcDbViewportTableRecord"}, {2, "*Active"})) << "no *Active";
    for (const char* lt : {"ByBlock", "ByLayer", "Continuous"}) {
        EXPECT_TRUE(has(tables, {100, "AcDbLinetypeTableRecord"}, {2, lt})) << lt << " missing";
    }
    EXPECT_TRUE(has(tables, {100, "AcDbLayerTableRecord"}, {2, "0"})) << "layer 0 missing";
    EXPECT_TRUE(has(tables, {100, "AcDbTextStyleTableRecord"}, {2, "Standard"})) << "no Standard";
    EXPECT_TRUE(has(tables, {100, "AcDbRegAppTableRecord"}, {2, "ACAD"})) << "APPID ACAD missing";
    EXPECT_TRUE(has(tables, {100, "AcDbDimStyleTableRecord"}, {2, "Standard"})) << "no DIMSTYLE";
    for (const char* space : {"*Model_Space", "*Paper_Space"}) {
        EXPECT_TRUE(has(tables, {100, "AcDbBlockTableRecord"}, {2, space})) << space << " record";
        EXPECT_TRUE(has(parts[3].tags, {100, "AcDbBlockBegin"}, {2, space})) << space << " block";
    }
    EXPECT_EQ(parts[5].tags.front(), (DxfTag{0, "DICTIONARY"})) << "no root dictionary";
    EXPECT_EQ(std::count(parts[5].tags.begin(), parts[5].tags.end(), DxfTag{3, "ACAD_GROUP"}), 1)
        << "root dictionary without ACAD_GROUP";
}

// Handles: unique, every owner and pointer names an object of the file, all below $HANDSEED.
TEST(DxfWriter, HandlesAreUniqueBelowTheSeedAndPointersResolve) {
    auto d = test::everyEntityDrawing();
    const auto tags = test::dxfTags(test::dxfText(*d));
    std::set<unsigned long> handles;
    unsigned long seed = 0;
    for (std::size_t i = 0; i < tags.size(); ++i) {
        if ((tags[i].code == 5 || tags[i].code == 105) && i > 0 &&
            tags[i - 1].value != "$HANDSEED") {
            EXPECT_TRUE(handles.insert(std::stoul(tags[i].value, nullptr, 16)).second)
                << "handle " << tags[i].value << " twice";
        }
        if (tags[i].value == "$HANDSEED") seed = std::stoul(tags[i + 1].value, nullptr, 16);
    }
    ASSERT_FALSE(handles.empty());
    EXPECT_GT(seed, *handles.rbegin());
    EXPECT_EQ(seed, *handles.rbegin() + 1) << "the seed counts handles exactly";
    for (const auto& t : tags) {
        if (t.code == 330 || t.code == 340 || t.code == 350) {
            const unsigned long h = std::stoul(t.value, nullptr, 16);
            EXPECT_TRUE(h == 0 || handles.count(h))
                << "group " << t.code << " points at " << t.value;
        }
    }
}

std::vector<DxfTag> entityTags(const Drawing& d, const std::string& type) {
    const auto tags = test::dxfTags(test::dxfText(d));
    const auto parts = sections(tags);
    const auto& entities = parts[4].tags;
    std::vector<DxfTag> found;
    for (std::size_t i = 0; i < entities.size(); ++i) {
        if (entities[i] != DxfTag{0, type}) continue;
        found.push_back(entities[i]);
        for (++i; i < entities.size() && entities[i].code != 0; ++i) {
            if (entities[i].code != 5 && entities[i].code != 330) found.push_back(entities[i]);
        }
        break;
    }
    return found;
}

TEST(DxfWriter, ALineOnAColouredLayer) {
    Drawing d;
    d.setActiveLayer(d.layers().add("GL"));
    d.modelSpace().addLine({0, 1.5, 0}, {100, 20, 0}).setColor(3);
    EXPECT_EQ(entityTags(d, "LINE"), (std::vector<DxfTag>{{0, "LINE"},
                                                          {100, "AcDbEntity"},
                                                          {8, "GL"},
                                                          {62, "3"},
                                                          {100, "AcDbLine"},
                                                          {10, "0"},
                                                          {20, "1.5"},
                                                          {30, "0"},
                                                          {11, "100"},
                                                          {21, "20"},
                                                          {31, "0"}}));
}

// A centred text stands on its alignment point (11) with 72 = 1 and, in its second part,
// 73 = 1; its first point (10) holds where its baseline starts.
TEST(DxfWriter, AnAlignedTextCarriesItsAlignmentPointAndCodes) {
    Drawing d;
    CadText& t = d.modelSpace().addText("SPL(1290.0)", {50, 45, 0}, 1.2);
    t.setVerticalAlignment(1);
    t.setHorizontalAlignment(1);
    t.setTextAlignmentPoint({50, 46.5, 0});
    t.setRotation(std::numbers::pi / 2);
    const auto tags = entityTags(d, "TEXT");
    std::map<int, std::string> last;
    for (const auto& tag : tags)
        last[tag.code] = tag.value;
    EXPECT_EQ(last[1], "SPL(1290.0)");
    EXPECT_EQ(last[40], "1.2");
    EXPECT_EQ(last[50], "90");
    EXPECT_EQ(last[7], "Standard");
    EXPECT_EQ(last[72], "1");
    EXPECT_EQ(last[73], "1");
    EXPECT_EQ(last[11], "50");
    EXPECT_EQ(last[21], "46.5");
    // Turned upright, the estimated start of the baseline lies below the alignment point (half
    // the text back) and left of it (the baseline stands above the descenders).
    EXPECT_LT(std::stod(last[10]), 50);
    EXPECT_GT(std::stod(last[10]), 49);
    EXPECT_LT(std::stod(last[20]), 46.5);
    const auto first = std::find(tags.begin(), tags.end(), DxfTag{100, "AcDbText"});
    const auto second = std::find(first + 1, tags.end(), DxfTag{100, "AcDbText"});
    ASSERT_NE(second, tags.end());
    EXPECT_EQ(*(second + 1), (DxfTag{73, "1"})) << "vertical alignment not in the second part";
}

TEST(DxfWriter, ABaselineLeftTextHasNoAlignmentPoint) {
    Drawing d;
    d.modelSpace().addText("Branch 1", {-33, -55, 0}, 3);
    for (const auto& tag : entityTags(d, "TEXT")) {
        EXPECT_NE(tag.code, 11);
        EXPECT_NE(tag.code, 72);
        EXPECT_NE(tag.code, 73);
    }
}

TEST(DxfWriter, AReferenceCarriesItsAttributesAndASequenceEnd) {
    Drawing d;
    CadBlock& b = d.blocks().add("TNO", {0, 0, 0});
    CadAttributeDefinition& def = b.addAttribute(1.5, 0, "Node", {2, 5, 0}, "NAME", "?");
    def.setAlignment(TextAlignment::MiddleLeft);
    def.setTextAlignmentPoint({2, 5, 0});
    d.modelSpace().insertBlock({10, 10, 0}, "TNO", 1, 1, 1, 0).attribute(0).setTextString("T3");
    const auto text = test::dxfText(d);
    const auto tags = test::dxfTags(text);
    const auto insert = std::find(tags.begin(), tags.end(), DxfTag{100, "AcDbBlockReference"});
    ASSERT_NE(insert, tags.end());
    EXPECT_EQ(*(insert + 1), (DxfTag{66, "1"}));
    EXPECT_EQ(*(insert + 2), (DxfTag{2, "TNO"}));
    EXPECT_TRUE(has(tags, {100, "AcDbAttribute"}, {2, "NAME"}));
    EXPECT_NE(text.find("\n  1\nT3\n"), std::string::npos);
    EXPECT_NE(std::find(tags.begin(), tags.end(), DxfTag{0, "SEQEND"}), tags.end());
    EXPECT_TRUE(has(tags, {70, "0"}, {74, "2"})) << "attribute's vertical alignment missing";
    // The block definition is marked as holding attribute definitions.
    EXPECT_TRUE(has(tags, {2, "TNO"}, {70, "2"}));
}

TEST(DxfWriter, ErasedEntitiesAreNotWritten) {
    Drawing d;
    d.modelSpace().addCircle({0, 0, 0}, 1).erase();
    EXPECT_TRUE(entityTags(d, "CIRCLE").empty());
}

TEST(DxfFile, SavingIntoAMissingFolderFails) {
    Drawing d;
    EXPECT_THROW(saveDxfFile(d, "/no/such/folder/x.dxf"), HostError);
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
    std::ifstream in(target);
    std::stringstream contents;
    contents << in.rdbuf();
    EXPECT_EQ(contents.str(), "earlier drawing");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
    EXPECT_TRUE(d->modified());
}

TEST(DxfFile, ASavedDrawingCountsAsSaved) {
    test::ScratchDir dir("dxf-saved");
    Drawing d;
    d.modelSpace().addLine({0, 0, 0}, {1, 1, 0});
    ASSERT_TRUE(d.modified());
    saveDxfFile(d, dir / "a.dxf");
    EXPECT_FALSE(d.modified());
    EXPECT_TRUE(std::filesystem::exists(dir / "a.dxf"));
}

}  // namespace
}  // namespace plovis
