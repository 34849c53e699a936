#include "dxf_test_support.h"

#include <stdlib.h>

#include <numbers>

#include "hosts/dxf/dxf_writer.h"
#include "support/run_command.h"
#include "support/test_paths.h"

namespace plovis::test {

std::string dxfText(const Drawing& drawing) {
    std::string text;
    DxfTagWriter writer([&](std::string_view chunk) { text.append(chunk); });
    writeDxf(drawing, writer);
    return text;
}

std::string ezdxfDump(const std::vector<std::filesystem::path>& files) {
    std::vector<std::string> args{(sourceDir() / "tests/hosts/dxf/ezdxf_dump.py").string()};
    for (const auto& f : files)
        args.push_back(f.string());
    const CommandResult run = runProgram("/usr/bin/python3", args);
    return run.output + run.errors;
}

std::unique_ptr<Drawing> everyEntityDrawing() {
    ::setenv("PLOVIS_DATA_DIR", (sourceDir() / "data").c_str(), 1);
    auto d = std::make_unique<Drawing>("every.dwg");
    d->linetypes().load("HIDDEN", "acad.lin");
    d->linetypes().load("DASHDOT", (sourceDir() / "tests/hosts/dxf/extra.lin").string());
    CadLayer& gl = d->layers().add("GL");
    gl.setColor(1);
    CadLayer& hgl = d->layers().add("HGL");
    hgl.setColor(6);
    hgl.setLinetype("HIDDEN");
    CadLayer& spl = d->layers().add("SPL");
    spl.setColor(5);
    d->layers().add("Grid").setColor(8);
    d->layers().add("Hidden away").setOn(false);
    d->layers().add("Frozen").setFrozen(true);
    d->layers().add("Locked").setLocked(true);
    CadTextStyle& romans = d->textStyles().add("romans");
    romans.setFontFile("romans.shx");
    d->textStyles().add("romand").setFontFile("romanD.shx");
    d->setActiveTextStyle(romans);

    CadBlock& nested = d->blocks().add("NESTED", {1, 1, 0});
    nested.addLine({0, 0, 0}, {2, 2, 0});
    CadBlock& node = d->blocks().add("NODE", {0, 0, 0});
    node.addCircle({0, 0, 0}, 3);
    node.addArc({0, 0, 0}, 4, 0, std::numbers::pi / 2).setColor(kColorByBlock);
    CadAttributeDefinition& name =
        node.addAttribute(1.5, kAttributeNormal, "Node name", {0, 0, 0}, "NAME", "N?");
    name.setAlignment(TextAlignment::MiddleCenter);
    name.setTextAlignmentPoint({0, 0, 0});
    node.addAttribute(1.25, kAttributeInvisible, "Level", {4, -4, 0}, "LEVEL", "0.00");
    node.insertBlock({0, 5, 0}, "NESTED", 1, 1, 1, 0);

    CadBlock& ms = d->modelSpace();
    d->setActiveLayer(gl);
    ms.addLine({0, 0, 0}, {100, 20, 0});
    const double profile[] = {0, 0, 30, 5, 60, -2.5, 100, 20};
    ms.addLightWeightPolyline(profile);
    d->setActiveLayer(hgl);
    ms.addLine({0, 40, 0}, {100, 35, 0});
    d->setActiveLayer(spl);
    CadText& spl1 = ms.addText("SPL(1290.0)", {50, 45, 0}, 1.2);
    spl1.setVerticalAlignment(1);
    spl1.setHorizontalAlignment(1);
    spl1.setTextAlignmentPoint({50, 46.5, 0});
    d->setActiveLayer(d->layers().item("0"));
    CadText& upright = ms.addText("1203.4", {10, -9.25, 0}, 1.5);
    upright.setVerticalAlignment(2);
    upright.setHorizontalAlignment(0);
    upright.setTextAlignmentPoint({10, -9.25, 0});
    upright.setRotation(1.570796327);
    CadText& right = ms.addText("Scale: [H 1: 5000, V 1: 1000] é", {230, -58, 0}, 1.5);
    right.setAlignment(TextAlignment::BottomRight);
    right.setTextAlignmentPoint({230, -58, 0});
    ms.addText("Branch 1", {-33, -55, 0}, 3.0);
    CadText& fit = ms.addText("FIT", {0, -70, 0}, 2);
    fit.setHorizontalAlignment(HorizontalAlignment::Fit);
    fit.setTextAlignmentPoint({20, -70, 0});
    ms.addCircle({50, 0, 0}, 3);
    ms.addArc({70, 0, 0}, 5, std::numbers::pi, 0.25).setColor(3);
    const double square[] = {120, 0, 130, 0, 130, 10, 120, 10};
    CadPolyline& closed = ms.addLightWeightPolyline(square);
    closed.setClosed(true);
    std::vector<PolylineVertex> bulged{{140, 0, 1}, {150, 0, 0}, {150, 10, -0.5}};
    auto arcLine = std::make_unique<CadPolyline>(EntityStyle{"0", 4, "DASHDOT"}, bulged);
    ms.add(std::move(arcLine));
    CadBlockReference& j4 = ms.insertBlock({30, 5, 0}, "NODE", 1, 1, 1, 0);
    j4.attribute(0).setTextString("J4(RL=1012.5m)");
    j4.attribute(0).setHorizontalAlignment(0);
    j4.attribute(0).setTextAlignmentPoint({32, 10, 0});
    CadBlockReference& turned = ms.insertBlock({80, 5, 0}, "node", 2, 2, 2, std::numbers::pi / 6);
    turned.setColor(2);
    ms.insertBlock({90, 5, 0}, "NESTED", 1, 1, 1, 0);
    ms.addAttribute(2, kAttributeNormal, "Loose", {0, -80, 0}, "LOOSE", "loose value");
    ms.addLine({0, 0, 0}, {1, 1, 0}).erase();
    d->setActiveLayer(d->layers().item("Hidden away"));
    ms.addLine({0, -90, 0}, {10, -90, 0});
    d->setActiveLayer(d->layers().item("0"));
    return d;
}

}  // namespace plovis::test
