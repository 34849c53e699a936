#include "commands/open_commands.h"

#include <gtest/gtest.h>

#include <fstream>

#include "doubles/recording_user_interface.h"
#include "hosts/memory_cad_host.h"
#include "hosts/memory_workbook.h"
#include "hosts/scripted_cad_utility.h"
#include "support/message_boxes.h"
#include "support/snapshot.h"
#include "support/test_paths.h"
#include "support/ui_seen.h"

namespace plovis {
namespace {

const std::filesystem::path kSample = "/plovis/data/Pipe_Design_Sample.xlsx";

// What each user interface saw, under its name, as one text for a reviewed golden.
std::string seenBy(std::initializer_list<std::pair<const char*, RecordingUserInterface*>> uis) {
    std::string text;
    for (const auto& [what, ui] : uis) {
        text += std::string("== ") + what + "\n";
        for (const std::string& line : test::seen(*ui))
            text += line + "\n";
    }
    return text;
}

// Workbooks "opened" from disk: the sample when it is `there`, no other file.
MemorySpreadsheetHost::Loader sampleOnly(bool there) {
    return [there](const std::filesystem::path& file) {
        if (!there || file != kSample) throw HostError("No such file: " + file.string());
        auto wb = std::make_unique<MemoryWorkbook>(file.filename().string());
        wb->addSheet("KELDRAN");
        return wb;
    };
}

// The template drawing as the DXF host would read it: one symbol block.
DrawingFileReader templateReader() {
    return [](const std::filesystem::path& file) {
        auto d = std::make_unique<Drawing>(file.filename().string());
        d->blocks().add("a4_paper", {0, 0, 0}).addLine({0, 0, 0}, {297, 0, 0});
        return d;
    };
}

// Hosts that cannot be started at all.
struct BrokenSpreadsheetHost : MemorySpreadsheetHost {
    void start() override { throw HostError("cannot start"); }
};
struct AbsentCadHost : MemoryCadHost {
    using MemoryCadHost::MemoryCadHost;
    void start() override { throw HostError("cannot start"); }
};

// The host is started and shown with the sample in front; a missing sample is named (a plain OK
// box) while the caption still shows; a host that cannot start clears the caption first.
TEST(OpenSample, OpensTheSampleInFrontOrReportsOnce) {
    MemorySpreadsheetHost host(sampleOnly(true)), noSample(sampleOnly(false));
    BrokenSpreadsheetHost broken;
    RecordingUserInterface ui, noSampleUi, brokenUi;
    ASSERT_TRUE(openSampleCommand(host, ui, kSample));
    EXPECT_TRUE(host.started() && host.visible());
    EXPECT_EQ(host.activeWorkbook().name(), "Pipe_Design_Sample.xlsx");
    EXPECT_FALSE(openSampleCommand(noSample, noSampleUi, kSample));
    EXPECT_EQ(test::messageBoxes(noSampleUi).at(0).rfind("ok | ", 0), 0u);  // a plain OK box
    EXPECT_FALSE(openSampleCommand(broken, brokenUi, kSample));
    test::expectGolden(
        seenBy({{"opened", &ui}, {"no sample", &noSampleUi}, {"no spreadsheet host", &brokenUi}}),
        "commands", "open_sample");
}

// A running host without a drawing, or one that is started, gets a drawing with the template's
// blocks (the inserted reference erased at once) and is shown; the template itself in front gets
// nothing inserted; a missing template or drawing host is reported, the host left visible.
TEST(TemplateDrawing, ADrawingWithTheTemplateBlocksOrOneMessage) {
    test::ScratchDir dir{"open-template"};
    const std::filesystem::path file = dir / "Pipe-des-blank.dxf",
                                nowhere = "/nowhere/Pipe-des-blank.dxf";
    std::ofstream(file) << "template";  // the host checks that it is there; the reader reads it
    ScriptedCadUtility utility;
    RecordingUserInterface uis[2];
    for (bool running : {true, false}) {
        MemoryCadHost cad(utility, running, templateReader());
        RecordingUserInterface& ui = uis[running];
        ASSERT_TRUE(templateDrawingCommand(cad, ui, file));
        ASSERT_EQ(cad.documentCount(), 1);
        EXPECT_NE(cad.activeDocument().blocks().find("a4_paper"), nullptr);
        EXPECT_TRUE(cad.activeDocument().modelSpace().entities().empty());
        EXPECT_TRUE(cad.visible() && (running || cad.started()));
        EXPECT_EQ(cad.updateCount(), 1);
    }
    MemoryCadHost cad(utility, true, templateReader());
    RecordingUserInterface inFront, missing, absent;
    cad.add(std::make_unique<Drawing>("Pipe-des-blank.dwg"));
    ASSERT_TRUE(templateDrawingCommand(cad, inFront, nowhere));
    EXPECT_EQ(cad.activeDocument().blocks().count(), 0);
    EXPECT_EQ(cad.updateCount(), 0);
    MemoryCadHost other(utility, true, templateReader());
    EXPECT_FALSE(templateDrawingCommand(other, missing, nowhere));
    EXPECT_TRUE(cad.visible() && other.visible());
    AbsentCadHost none(utility, false);
    EXPECT_FALSE(templateDrawingCommand(none, absent, file));
    test::expectGolden(seenBy({{"host running", &uis[1]},
                               {"host started", &uis[0]},
                               {"template in front", &inFront},
                               {"no template", &missing},
                               {"no drawing host", &absent}}),
                       "commands", "template_drawing");
}

}  // namespace
}  // namespace plovis
