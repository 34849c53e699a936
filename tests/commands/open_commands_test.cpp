#include "commands/open_commands.h"

#include <gtest/gtest.h>

#include <fstream>

#include "hosts/memory_cad_host.h"
#include "hosts/memory_workbook.h"
#include "hosts/recording_user_interface.h"
#include "hosts/scripted_cad_utility.h"
#include "support/messages_shown.h"
#include "support/test_paths.h"
#include "support/ui_seen.h"

namespace plovis {
namespace {

const std::filesystem::path kSample = "/plovis/data/Pipe_Design_Sample.xlsx";

const std::string kSampleCaption =
    "status: Please wait while program is opens the excel sample data file...";
const std::string kTemplateCaption =
    "status: Please wait while program opens the AutoCAD application.";

// Workbooks "opened" from a list of known files; any other file cannot be opened.
MemorySpreadsheetHost::Loader knownFiles(std::vector<std::filesystem::path> files) {
    return [files](const std::filesystem::path& file) {
        for (const auto& f : files) {
            if (f == file) {
                auto wb = std::make_unique<MemoryWorkbook>(file.filename().string());
                wb->addSheet("KELDRAN");
                return wb;
            }
        }
        throw HostError("No such file: " + file.string());
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

// A host that cannot be started at all.
struct BrokenSpreadsheetHost : MemorySpreadsheetHost {
    void start() override { throw HostError("cannot start"); }
};

TEST(OpenSample, StartsTheHostShowsItAndOpensTheSampleInFront) {
    MemorySpreadsheetHost host(knownFiles({kSample}));
    RecordingUserInterface ui;
    ASSERT_TRUE(openSampleCommand(host, ui, kSample));
    EXPECT_TRUE(host.started());
    EXPECT_TRUE(host.visible());
    EXPECT_EQ(host.activeWorkbook().name(), "Pipe_Design_Sample.xlsx");
    EXPECT_EQ(test::seen(ui), (std::vector<std::string>{kSampleCaption, "status: "}));
}

// A missing sample is named while the caption still shows; a host that cannot start clears the
// caption before its message.
TEST(OpenSample, FailuresAreReportedOnce) {
    MemorySpreadsheetHost noSample(knownFiles({}));
    RecordingUserInterface ui;
    EXPECT_FALSE(openSampleCommand(noSample, ui, kSample));
    EXPECT_EQ(test::seen(ui),
              (std::vector<std::string>{kSampleCaption,
                                        "Could not find the sample file named " + kSample.string(),
                                        "status: "}));
    const Message shown = test::messagesShown(ui).at(0);
    EXPECT_EQ(shown.buttons, Buttons::Ok);
    EXPECT_FALSE(shown.title.has_value());  // the application's own title

    BrokenSpreadsheetHost broken;
    RecordingUserInterface brokenUi;
    EXPECT_FALSE(openSampleCommand(broken, brokenUi, kSample));
    EXPECT_EQ(test::seen(brokenUi),
              (std::vector<std::string>{kSampleCaption, "status: ",
                                        "Could not open the excel application.So please confirm "
                                        "that you have installed microsoft Excel."}));
}

// A template file on disk (the host checks that it is there); its contents come from the reader.
struct TemplateFile {
    TemplateFile() { std::ofstream(path) << "template"; }
    test::ScratchDir dir{"open-template"};
    std::filesystem::path path = dir / "Pipe-des-blank.dxf";
};

struct TemplateFixture {
    explicit TemplateFixture(bool running) : cad(utility, running, templateReader()) {}
    TemplateFile file;
    const std::filesystem::path& templateFile = file.path;
    ScriptedCadUtility utility;
    MemoryCadHost cad;
    RecordingUserInterface ui;
};

TEST(TemplateDrawing, ARunningHostWithoutDrawingGetsOneWithTheTemplateBlocks) {
    TemplateFixture f(true);
    ASSERT_TRUE(templateDrawingCommand(f.cad, f.ui, f.templateFile));
    ASSERT_EQ(f.cad.documentCount(), 1);
    Drawing& d = f.cad.activeDocument();
    EXPECT_NE(d.blocks().find("a4_paper"), nullptr);
    EXPECT_TRUE(d.modelSpace().entities().empty());  // the inserted reference is erased at once
    EXPECT_TRUE(f.cad.visible());
    EXPECT_EQ(f.cad.updateCount(), 1);
    EXPECT_EQ(test::seen(f.ui), (std::vector<std::string>{kTemplateCaption, "status: "}));
}

TEST(TemplateDrawing, AHostNotRunningIsStarted) {
    TemplateFixture f(false);
    ASSERT_TRUE(templateDrawingCommand(f.cad, f.ui, f.templateFile));
    EXPECT_TRUE(f.cad.started());
    EXPECT_NE(f.cad.activeDocument().blocks().find("a4_paper"), nullptr);
}

TEST(TemplateDrawing, TheTemplateItselfInFrontGetsNothingInserted) {
    TemplateFixture f(true);
    f.cad.add(std::make_unique<Drawing>("Pipe-des-blank.dwg"));
    ASSERT_TRUE(templateDrawingCommand(f.cad, f.ui, "/nowhere/Pipe-des-blank.dxf"));
    EXPECT_EQ(f.cad.activeDocument().blocks().count(), 0);
    EXPECT_TRUE(f.cad.visible());
    EXPECT_EQ(f.cad.updateCount(), 0);
    EXPECT_TRUE(f.ui.messageTexts().empty());
}

TEST(TemplateDrawing, AMissingTemplateLeavesTheHostVisible) {
    TemplateFixture f(true);
    EXPECT_FALSE(templateDrawingCommand(f.cad, f.ui, "/nowhere/Pipe-des-blank.dxf"));
    EXPECT_EQ(test::seen(f.ui),
              (std::vector<std::string>{kTemplateCaption, "Could not find the template file.",
                                        "status: "}));
    EXPECT_TRUE(f.cad.visible());
}

// A host that is neither running nor able to start.
struct AbsentCadHost : MemoryCadHost {
    using MemoryCadHost::MemoryCadHost;
    void start() override { throw HostError("cannot start"); }
};

TEST(TemplateDrawing, NoHostAtAllIsReported) {
    ScriptedCadUtility utility;
    AbsentCadHost cad(utility, false);
    RecordingUserInterface ui;
    const TemplateFile file;
    EXPECT_FALSE(templateDrawingCommand(cad, ui, file.path));
    EXPECT_EQ(test::seen(ui),
              (std::vector<std::string>{kTemplateCaption,
                                        "Could not find the AutoCAD application. Please confirm "
                                        "that you have AutoCAD application",
                                        "status: "}));
}

}  // namespace
}  // namespace plovis
