#include "scheme/drawing_preparation.h"

#include <functional>

#include "common/data_directory.h"
#include "common/text.h"

namespace plovis {
namespace {

// Steps whose failures are ignored, as the styles, line type and layers are made again on every
// run and a host refusing one of them must not stop the drawing.
void ignoringFailure(const std::function<void()>& step) {
    try {
        step();
    } catch (const HostError&) {
    }
}

void importTemplate(CadHost& host, CadHandles& cad, UserInterface& ui,
                    const std::filesystem::path& templateFile) {
    try {
        CadBlockReference& ref =
            cad.modelSpace->insertBlock({0, 0, 0}, templateFile.string(), 1, 1, 1, 0);
        ref.erase();
        host.update();
    } catch (const HostError&) {
        ui.showMessage({"The Template Drawing File 'Pipe-des-blank.dwg' is not Found!", Buttons::Ok,
                        Icon::Critical, "Error!!!"});
        endApplication(ui);
    }
}

void take(CadHandles& cad, Drawing& drawing) {
    cad.document = &drawing;
    cad.modelSpace = &drawing.modelSpace();
}

// Attach, or start the host with the wait window showing. Returns false when it had to start.
bool attachOrStart(CadHost& host, CadHandles& cad, UserInterface& ui,
                   const std::filesystem::path& templateFile) {
    cad = {};
    try {
        take(cad, obtainDrawing(host));
        if (!isTemplateDocument(*cad.document)) importTemplate(host, cad, ui, templateFile);
        return true;
    } catch (const HostError&) {
    }
    ui.showWaitWindow("Lunching AutoCad...", "Lunching AutoCad");
    host.start();
    take(cad, obtainDrawing(host));
    ui.hideWaitWindow();
    importTemplate(host, cad, ui, templateFile);
    return false;
}

void addTextStyle(Drawing& drawing, const char* name, const char* font) {
    ignoringFailure([&] { drawing.textStyles().add(name).setFontFile(font); });
}

void addLayer(Drawing& drawing, const char* name, int color, const char* linetype) {
    ignoringFailure([&] {
        CadLayer& layer = drawing.layers().add(name);
        layer.setColor(color);
        if (linetype) layer.setLinetype(linetype);
    });
}

}  // namespace

bool isTemplateDocument(const Drawing& drawing) {
    return equalsIgnoringCase(drawing.name(), "Pipe-des-blank.dwg") ||
           equalsIgnoringCase(drawing.name(), "Pipe-des-blank.dxf");
}

std::filesystem::path templateDrawingPath() {
    return dataDirectory() / "Pipe-des-blank.dxf";
}

Preparation prepareProfileDrawing(CadHost& host, CadHandles& cad, UserInterface& ui,
                                  const std::filesystem::path& templateFile) {
    if (!attachOrStart(host, cad, ui, templateFile)) return Preparation::HostStarted;
    Drawing& d = *cad.document;
    addTextStyle(d, "romans", "romans.shx");
    ignoringFailure([&] { d.setActiveTextStyle(d.textStyles().item("romans")); });
    ignoringFailure([&] {
        bool found = false;
        for (const CadLinetype& lt : d.linetypes().all()) {
            found = found || equalsIgnoringCase(lt.name, "HIDDEN");
        }
        if (!found) d.linetypes().load("HIDDEN", "acad.lin");
    });
    addLayer(d, "GL", 1, nullptr);
    addLayer(d, "HGL", 6, "HIDDEN");
    addLayer(d, "SPL", 5, nullptr);
    ignoringFailure([&] { d.setActiveLayer(d.layers().add("0")); });
    return Preparation::Ready;
}

Preparation prepareDrawing(CadHost& host, CadHandles& cad, UserInterface& ui,
                           const std::filesystem::path& templateFile) {
    if (!attachOrStart(host, cad, ui, templateFile)) return Preparation::HostStarted;
    Drawing& d = *cad.document;
    addTextStyle(d, "romans", "romans.shx");
    addTextStyle(d, "romand", "romanD.shx");
    d.setActiveTextStyle(d.textStyles().item("romans"));  // not trapped: its failure goes on
    return Preparation::Ready;
}

void useLayer(Drawing& drawing, const std::string& name) {
    drawing.setActiveLayer(drawing.layers().item(name));
}

}  // namespace plovis
