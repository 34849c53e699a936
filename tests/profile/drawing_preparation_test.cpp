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

TEST(DrawingPreparation, ProfileGetsTemplateBlocksStyleLineTypeAndLayersEachRun) {
    CadFixture f;
    ASSERT_EQ(prepareProfileDrawing(f.cad, f.handles, f.ui, f.templateFile), Preparation::Ready);
    ASSERT_NE(f.handles.document, nullptr);
    Drawing& d = *f.handles.document;
    EXPECT_EQ(f.cad.documentCount(), 1);  // none was open: one was added
    EXPECT_TRUE(f.cad.visible());
    for (const char* block : {"ini-format", "conl", "a4_paper", "BPC"}) {
        EXPECT_NE(d.blocks().find(block), nullptr) << block;
    }
    EXPECT_EQ(d.modelSpace().count(), 0u);  // the template's reference does not stay
    EXPECT_GE(f.cad.updateCount(), 1);
    EXPECT_EQ(d.activeTextStyle().name(), "romans");
    EXPECT_EQ(d.activeTextStyle().fontFile(), "romans.shx");
    EXPECT_NE(d.linetypes().find("HIDDEN"), nullptr);
    std::string layers;
    for (const char* name : {"GL", "HGL", "SPL"}) {
        const CadLayer* l = d.layers().find(name);
        layers += l ? l->name() + " " + std::to_string(l->color()) + " " + l->linetype() + ";" : "";
    }
    EXPECT_EQ(layers, "GL 1 Continuous;HGL 6 HIDDEN;SPL 5 Continuous;");
    EXPECT_EQ(d.activeLayer().name(), "0");
    EXPECT_TRUE(f.ui.events().empty());
    // A second run sets everything again without failing.
    d.layers().item("GL").setColor(3);
    d.setActiveLayer(d.layers().item("SPL"));
    ASSERT_EQ(prepareProfileDrawing(f.cad, f.handles, f.ui, f.templateFile), Preparation::Ready);
    EXPECT_EQ(f.handles.document->layers().item("GL").color(), 1);
    EXPECT_EQ(f.handles.document->activeLayer().name(), "0");
    EXPECT_EQ(f.cad.documentCount(), 1);
    EXPECT_TRUE(f.ui.events().empty());
}

TEST(DrawingPreparation, AHiddenLineTypeInSmallLettersCountsAsLoaded) {
    CadFixture f;
    Drawing& d = f.cad.addDocument();
    d.linetypes().add({"hidden", "mine", {2, -1}});
    const int before = d.linetypes().count();
    prepareProfileDrawing(f.cad, f.handles, f.ui, f.templateFile);
    EXPECT_EQ(d.linetypes().count(), before);
    EXPECT_EQ(d.linetypes().find("HIDDEN")->description, "mine");
}

TEST(DrawingPreparation, TheTemplateItselfGetsNoInsertion) {
    CadFixture f;
    auto self = std::make_unique<Drawing>("Pipe-des-blank.dwg");
    Drawing& d = f.cad.add(std::move(self));
    std::filesystem::remove(f.dir / "Pipe-des-blank.dxf");  // would fail if it were inserted
    ASSERT_EQ(prepareProfileDrawing(f.cad, f.handles, f.ui, f.templateFile), Preparation::Ready);
    EXPECT_EQ(f.handles.document, &d);
    EXPECT_EQ(d.blocks().find("conl"), nullptr);
}

TEST(DrawingPreparation, AMissingTemplateEndsTheApplication) {
    CadFixture f;
    EXPECT_THROW(prepareProfileDrawing(f.cad, f.handles, f.ui, f.dir / "missing.dwg"),
                 ApplicationEnds);
    EXPECT_EQ(test::seen(f.ui),
              (std::vector<std::string>{
                  "The Template Drawing File 'Pipe-des-blank.dwg' is not Found!", "end"}));
    EXPECT_EQ(test::messageBoxes(f.ui)[0].substr(0, 25), "ok critical 'Error!!!' | ");
}

TEST(DrawingPreparation, AHostNotRunningIsStartedAndTheCommandEnds) {
    CadFixture f(/*running=*/false);
    ASSERT_EQ(prepareProfileDrawing(f.cad, f.handles, f.ui, f.templateFile),
              Preparation::HostStarted);
    EXPECT_TRUE(f.cad.started());
    EXPECT_EQ(test::seen(f.ui),
              (std::vector<std::string>{"wait: Lunching AutoCad...", "wait hidden"}));
    EXPECT_EQ(f.ui.events()[0].waitLabel, "Lunching AutoCad");
    Drawing& d = *f.handles.document;
    EXPECT_NE(d.blocks().find("ini-format"), nullptr);  // imported all the same
    EXPECT_EQ(d.textStyles().find("romans"), nullptr);  // nothing more
    EXPECT_EQ(d.layers().find("GL"), nullptr);
}

TEST(DrawingPreparation, TheSchematicGetsBothTextStyles) {
    CadFixture f;
    ASSERT_EQ(prepareDrawing(f.cad, f.handles, f.ui, f.templateFile), Preparation::Ready);
    Drawing& d = *f.handles.document;
    EXPECT_EQ(d.textStyles().item("romand").fontFile(), "romanD.shx");
    EXPECT_EQ(d.activeTextStyle().name(), "romans");
    EXPECT_EQ(d.layers().find("HGL"), nullptr);  // no profile layers
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
