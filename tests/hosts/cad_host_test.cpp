#include <gtest/gtest.h>

#include "hosts/memory_cad_host.h"
#include "hosts/scripted_cad_utility.h"

namespace plovis {
namespace {

TEST(CadHost, AttachFailsWhenTheHostIsNotRunningAndStartOpensADrawing) {
    ScriptedCadUtility utility;
    MemoryCadHost host(utility, /*running=*/false);
    EXPECT_THROW(obtainDrawing(host), HostError);
    EXPECT_EQ(host.documentCount(), 0);
    host.start();
    EXPECT_TRUE(host.started());
    EXPECT_EQ(host.documentCount(), 1);
    Drawing& d = obtainDrawing(host);
    EXPECT_EQ(&d, &host.activeDocument());
    EXPECT_TRUE(host.visible());
}

TEST(CadHost, ObtainingADrawingAddsOneOnlyWhenNoneIsOpen) {
    ScriptedCadUtility utility;
    MemoryCadHost host(utility);
    EXPECT_THROW(host.activeDocument(), HostError);
    Drawing& first = obtainDrawing(host);
    EXPECT_EQ(first.name(), "Drawing1.dwg");
    EXPECT_EQ(host.documentCount(), 1);
    Drawing& again = obtainDrawing(host);
    EXPECT_EQ(&again, &first);
    EXPECT_EQ(host.documentCount(), 1);
    EXPECT_NE(host.caption().find("Drawing1.dwg"), std::string::npos);
    host.update();
    host.update();
    EXPECT_EQ(host.updateCount(), 2);
}

// An opened drawing comes to the front, named after its file, and can insert files in its turn.
TEST(CadHost, OpeningADrawingFileBringsItToTheFront) {
    ScriptedCadUtility utility;
    std::vector<std::filesystem::path> read;
    MemoryCadHost host(utility, true, [&](const std::filesystem::path& file) {
        read.push_back(file);
        auto d = std::make_unique<Drawing>(file.filename().string());
        d->blocks().add("T1", {0, 0, 0});
        return d;
    });
    host.addDocument();
    Drawing& opened = host.open("/somewhere/Pipe-des-blank.dxf");
    EXPECT_EQ(&host.activeDocument(), &opened);
    EXPECT_EQ(opened.name(), "Pipe-des-blank.dxf");
    EXPECT_EQ(host.documentCount(), 2);
    ASSERT_TRUE(opened.fileReader());
    opened.fileReader()("/somewhere/else.dxf");
    EXPECT_EQ(read.size(), 2u);
    ScriptedCadUtility other;
    EXPECT_THROW(MemoryCadHost(other).open("/x.dxf"), HostError);
}

TEST(CadHost, ScriptedPicksAnswerInOrderAndACancelFails) {
    ScriptedCadUtility utility;
    MemoryCadHost host(utility);
    utility.pickPoint({100, 200, 0});
    utility.cancelPick();
    utility.typeString("2");
    EXPECT_EQ(host.utility().getPoint("Pick the reference point"), (Point{100, 200, 0}));
    EXPECT_THROW(host.utility().getPoint("Pick again"), HostError);
    EXPECT_THROW(host.utility().getPoint("Nothing left"), HostError);
    host.utility().prompt("Drawing sheet 1");
    EXPECT_EQ(host.utility().getString("Sheets?"), "2");
    EXPECT_THROW(host.utility().getString("More?"), HostError);
    EXPECT_EQ(utility.prompts(),
              (std::vector<std::string>{"Pick the reference point", "Pick again", "Nothing left",
                                        "Drawing sheet 1", "Sheets?", "More?"}));
}

}  // namespace
}  // namespace plovis
