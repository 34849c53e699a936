#include "scheme/drawing_preparation.h"

#include <gtest/gtest.h>

#include "profile_fixture.h"
#include "support/message_boxes.h"
#include "support/snapshot.h"
#include "support/ui_seen.h"

namespace plovis {
namespace {

struct CadFixture : test::TemplateCad {
    using TemplateCad::TemplateCad;
    CadHandles handles;
};

// What a preparation left: its outcome, the documents, the drawing's blocks, line types, text
// styles and layers with the current ones, its model space, and what the user saw.
std::string preparationReport(CadFixture& f, bool profile, const std::filesystem::path& file) {
    std::string s;
    try {
        const Preparation p =
            (profile ? prepareProfileDrawing : prepareDrawing)(f.cad, f.handles, f.ui, file);
        s = p == Preparation::Ready ? "ready" : "host started";
    } catch (const ApplicationEnds&) {
        s = "the application ends";
    }
    s += ", " + std::to_string(f.cad.documentCount()) + " documents" +
         (f.cad.visible() ? ", shown" : "") + (f.cad.started() ? ", started" : "") +
         (f.cad.updateCount() ? ", redrawn" : "") + "\n";
    if (const Drawing* d = f.handles.document) {
        s += d->name() + ", " + std::to_string(d->modelSpace().count()) + " entities\nblocks:";
        for (int i = 0; i < d->blocks().count(); ++i)
            s += " " + d->blocks().at(i).name();
        s += "\nline types:";
        for (const CadLinetype& l : d->linetypes().all())
            s += " " + l.name + " (" + l.description + ")";
        s += "\ntext styles:";
        for (const CadTextStyle& t : d->textStyles().all())
            s += " " + t.name() + " " + t.fontFile();
        s += ", current " + d->activeTextStyle().name() + "\nlayers:";
        for (const CadLayer& l : d->layers().all())
            s += " " + l.name() + " c" + std::to_string(l.color()) + " " + l.linetype();
        s += ", current " + d->activeLayer().name() + "\n";
    }
    for (const std::string& line : test::messageBoxes(f.ui))
        s += line + "\n";
    for (const std::string& line : test::seen(f.ui))
        s += line + "\n";
    for (const UiEvent& e : f.ui.events())
        s += e.kind == UiEvent::Kind::WaitShown ? "wait label: " + e.waitLabel + "\n" : "";
    return s;
}

// Each preparation compared with tests/profile/golden/preparations.txt. The profile's drawing
// gets the template's blocks (the template's reference does not stay), "romans" current, the
// hidden line type and its layers, "0" current, each run again; the schematic's both text styles.
TEST(DrawingPreparation, PreparesLikeItsReviewedSnapshot) {
    using F = CadFixture;
    const struct {
        const char* name;
        void (*setup)(F&);
        bool running = true;
        bool profile = true;
        const char* templateName = "Pipe-des-blank.dwg";
    } cases[] = {
        // clang-format off
        {"profile, no drawing open", [](F&) {}},
        {"profile, a second run", [](F& f) {
             prepareProfileDrawing(f.cad, f.handles, f.ui, f.templateFile);
             Drawing& d = *f.handles.document;
             d.layers().item("GL").setColor(3);
             d.setActiveLayer(d.layers().item("SPL")); }},
        {"a hidden line type in small letters counts as loaded", [](F& f) {
             f.cad.addDocument().linetypes().add({"hidden", "mine", {2, -1}}); }},
        // The template open itself gets no insertion (which would fail without its file).
        {"the template itself", [](F& f) {
             f.cad.add(std::make_unique<Drawing>("Pipe-des-blank.dwg"));
             std::filesystem::remove(f.dir / "Pipe-des-blank.dxf"); }},
        {"a missing template", [](F&) {}, true, true, "missing.dwg"},
        // A host not running is started, the template imported all the same, nothing more.
        {"host not running", [](F&) {}, false},
        {"schematic", [](F&) {}, true, false},
        // clang-format on
    };
    std::string report;
    for (const auto& c : cases) {
        F f(c.running);
        c.setup(f);
        report += std::string("== ") + c.name + "\n" +
                  preparationReport(f, c.profile, f.dir / c.templateName);
    }
    test::expectGolden(report, "profile", "preparations");
}

TEST(DrawingPreparation, PlaceTextSetsAlignmentPointAndRotation) {
    Drawing d;
    placeText(d.modelSpace(), {10, 20, 0}, 2, 1, "A1", 1.570796327, 1.5);
    placeText(d.modelSpace(), {5, 6, 0}, 0, 0, "x", 0, 2);
    EXPECT_EQ(test::drawingSnapshot(d), "TEXT 0 \"A1\" 10,20 h1.5 r90 MC\nTEXT 0 \"x\" 5,6 h2\n");
    EXPECT_THROW(placeText(d.modelSpace(), {5, 6, 0}, 7, 0, "x", 0, 2), HostError);
}

}  // namespace
}  // namespace plovis
