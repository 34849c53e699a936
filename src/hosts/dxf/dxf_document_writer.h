#pragma once
// Inside the DXF writer: the handle plan shared by the section writers and the entity writer.
// Every object of an R2000 file carries a handle (group 5) and its owner's handle (330); CAD
// programs refuse files whose handles are missing, repeated or above $HANDSEED.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "hosts/cad_drawing.h"
#include "hosts/cad_extents.h"
#include "hosts/dxf/dxf_tag_writer.h"

namespace plovis::dxf {

using Handle = std::uint64_t;

// Handles known before they are written, because other objects point at them first.
struct FixedHandles {
    Handle vportTable, ltypeTable, layerTable, styleTable, viewTable, ucsTable, appidTable,
        dimstyleTable, blockRecordTable;
    Handle rootDictionary, groupDictionary, layoutDictionary, modelLayout, paperLayout;
};

// The plot settings' name of a paper: "ISO_A3_(420.00_x_297.00_MM)".
std::string paperMediaName(const PaperSize& paper);

class DocumentWriter {
  public:
    DocumentWriter(const Drawing& drawing, DxfTagWriter& out);
    void write();

  private:
    Handle take() { return next_++; }
    Handle handleSeed() const;

    void header();
    void classes();
    void tables();
    void tableStart(const char* name, Handle handle, int count);
    void vportTable();
    void linetypeTable();
    void layerTable();
    void styleTable();
    void appidAndDimstyleTables();
    void blockRecordTable();
    void blocks();
    void blockBegin(const std::string& name, Handle record, const Point& origin, int flags);
    void blockEnd(Handle record);
    void entities();
    void objects();
    void layout(Handle handle, const std::string& name, int tabOrder, Handle record,
                const PaperSize& paper);

    // Paper-space layouts, one per sheet of the drawing (dxf_layout_writer.cpp). The first
    // sheet's layout is *Paper_Space, its viewports in ENTITIES; the others' are blocks
    // *Paper_Space0, *Paper_Space1, ... holding their viewports.
    void sheetRecords(const std::function<Handle(const std::string&, Handle)>& record);
    void sheetBlocks();
    void sheetViewports(const DrawingSheet& sheet, Handle owner);
    void viewport(const DrawingSheet& sheet, Handle owner, int id, double viewHeight);
    void sheetLayouts();
    Handle sheetHandles() const;

    // Entities (dxf_entity_writer.cpp).
    void entity(const CadEntity& e, Handle owner);
    void entityStart(const char* type, const EntityStyle& style, Handle handle, Handle owner);
    void textBody(const CadTextProperties& t, bool attribute);
    void blockReference(const CadBlockReference& ref, Handle handle, Handle owner);
    static Handle entityHandles(const CadBlock& block);

    const Drawing& drawing_;
    DxfTagWriter& out_;
    Extents extents_;  // of model space, for the header and the opening view
    Handle next_ = 1;
    FixedHandles fixed_{};
    Handle modelRecord_ = 0, paperRecord_ = 0;
    std::vector<Handle> blockRecords_;  // in the order of the drawing's blocks
    std::vector<Handle> sheetRecords_;  // of the sheets after the first
    std::vector<Handle> sheetLayouts_;  // of the sheets after the first
};

}  // namespace plovis::dxf
