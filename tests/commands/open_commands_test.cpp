#include "commands/open_commands.h"

#include <gtest/gtest.h>

#include <fstream>

#include "hosts/memory_cad_host.h"
#include "hosts/memory_workbook.h"
#include "hosts/recording_user_interface.h"
#include "hosts/scripted_cad_utility.h"
#include "support/messages_shown.h"
#include "support/test_paths.h"

namespace plovis {
namespace {

const std::filesystem::path kSample = "/plovis/data/Pipe_Design_Sample.xlsx";

const char* const kSampleCaption =
    "Please wait while program is opens the excel sample data file...";
const char* const kTemplateCaption = "Please wait while program opens the AutoCAD application.";

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

TEST(OpenSample, StartsTheHostShowsItAndOpensTheSampleInFront) {
    MemorySpreadsheetHost host(knownFiles({kSample}));
    RecordingUserInterface ui;
    ASSERT_TRUE(openSampleCommand(host, ui, kSample));
    EXPECT_TRUE(host.started());
    EXPECT_TRUE(host.visible());
    EXPECT_EQ(host.activeWorkbook().name(), "Pipe_Design_Sample.xlsx");
    EXPECT_TRUE(ui.messageTexts().empty());
    EXPECT_EQ(ui.captions(StatusLabel::MainStatus), (std::vector<std::string>{kSampleCaption, ""}));
}

TEST(OpenSample, AMissingSampleNamesItsPathWhileTheCaptionStillShows) {
    MemorySpreadsheetHost host(knownFiles({}));
    RecordingUserInterface ui;
    EXPECT_FALSE(openSampleCommand(host, ui, kSample));
    const std::vector<Message> shown = test::messagesShown(ui);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, "Could not find the sample file named " + kSample.string());
    EXPECT_EQ(shown[0].buttons, Buttons::Ok);
    EXPECT_FALSE(shown[0].title.has_value());  // the application's own title
    // The message comes first, then the caption is cleared.
    const auto& events = ui.events();
    ASSERT_GE(events.size(), 3u);
    EXPECT_EQ(events[0].caption, kSampleCaption);
    EXPECT_EQ(events[1].kind, UiEvent::Kind::Message);
    EXPECT_EQ(events[2].kind, UiEvent::Kind::Status);
    EXPECT_EQ(ui.status(StatusLabel::MainStatus), "");
}

// A host that cannot be started at all.
struct BrokenSpreadsheetHost : MemorySpreadsheetHost {
    void start() override { throw HostError("cannot start"); }
};

TEST(OpenSample, AHostThatCannotStartClearsTheCaptionBeforeItsMessage) {
    BrokenSpreadsheetHost host;
    RecordingUserInterface ui;
    EXPECT_FALSE(openSampleCommand(host, ui, kSample));
    ASSERT_EQ(ui.events().size(), 3u);
    EXPECT_EQ(ui.events()[1].kind, UiEvent::Kind::Status);
    EXPECT_EQ(ui.events()[1].caption, "");
    EXPECT_EQ(ui.events()[2].message.text,
              "Could not open the excel application.So please confirm that you have installed "
              "microsoft Excel.");
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
    EXPECT_EQ(f.ui.captions(StatusLabel::MainStatus),
              (std::vector<std::string>{kTemplateCaption, ""}));
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
    EXPECT_EQ(f.ui.messageTexts(), (std::vector<std::string>{"Could not find the template file."}));
    EXPECT_TRUE(f.cad.visible());
    EXPECT_EQ(f.ui.status(StatusLabel::MainStatus), "");
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
    EXPECT_EQ(ui.messageTexts(),
              (std::vector<std::string>{"Could not find the AutoCAD application. Please confirm "
                                        "that you have AutoCAD application"}));
    EXPECT_EQ(ui.status(StatusLabel::MainStatus), "");
}

}  // namespace
}  // namespace plovis
