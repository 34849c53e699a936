#pragma once
// Inside the DXF reader: one small builder for each kind of object we read, making it into the
// drawing. The reader (dxf_reader.cpp) checks the file's structure and hands each complete
// object to the builder of its type; a builder throws HostError for what the drawing refuses
// (the reader adds the line).

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "hosts/cad_drawing.h"
#include "hosts/dxf/dxf_tags.h"
#include "hosts/host_error.h"

namespace plovis::dxf {

// A fault that already names its file and line.
struct LocatedError : HostError {
    using HostError::HostError;
};

// What the builders share while one file is read.
struct DrawingBuild {
    struct PendingLayer {
        std::string name, linetype;
        int color, flags, line;
    };
    struct PendingPolyline {
        EntityStyle style;
        bool closed = false;
        std::vector<PolylineVertex> vertices;
    };
    struct PlacedInsert {
        const CadBlockReference* ref;
        const CadBlock* owner;
        int line;
    };

    explicit DrawingBuild(const std::string& name)
        : source(name), drawing(std::make_unique<Drawing>(name)) {}

    std::string source;
    std::unique_ptr<Drawing> drawing;
    bool utf8 = false;                           // an R2007 or later file
    std::string currentLayer, currentTextStyle;  // $CLAYER and $TEXTSTYLE, as in the file
    std::vector<PendingLayer> layers;            // applied once every line type is known
    bool tablesApplied = false;
    CadBlock* target = nullptr;  // where entities go; nullptr: model or paper space blocks
    std::optional<PendingPolyline> polyline;  // a POLYLINE until its SEQEND
    CadBlockReference* insert = nullptr;      // an INSERT taking its ATTRIBs
    std::vector<PlacedInsert> inserts;
    // What paper-space layouts the file has, read back into the drawing's sheets at the end.
    struct SheetViewport {
        std::string owner;  // the handle of its layout's block record
        int id = 0;
        double width = 0, height = 0;  // on paper
        double viewX = 0, viewY = 0, viewHeight = 0;
    };
    struct SheetLayout {
        std::string name, record;
        int tabOrder = 0;
    };
    std::vector<SheetViewport> viewports;
    std::vector<SheetLayout> layouts;

    std::string text(std::string_view value) const;
};

using BuildFunction = void (*)(DrawingBuild&, const DxfObject&);

// The builder of a table record (LAYER, LTYPE, STYLE) or of an entity (LINE, CIRCLE, ARC, TEXT,
// LWPOLYLINE, POLYLINE, VERTEX, SEQEND, INSERT, ATTRIB, ATTDEF); nullptr for a type we skip.
BuildFunction recordBuilder(std::string_view type);
BuildFunction entityBuilder(std::string_view type);

// Paper-space layouts (dxf_sheet_reader.cpp): a VIEWPORT entity, a LAYOUT object, and the
// drawing's sheets made from the layouts whose viewport shows model space at 1:1.
void buildViewport(DrawingBuild& build, const DxfObject& viewport);
void readLayout(DrawingBuild& build, const DxfObject& layout);
void finishSheets(DrawingBuild& build);

// A BLOCK header: its entities go to the new block.
void beginBlock(DrawingBuild& build, const DxfObject& block);
void enterModelSpace(DrawingBuild& build);
// The groups of HEADER that matter: the version (for the text encoding), current layer and style.
void headerValue(DrawingBuild& build, std::string_view variable, const Tag& tag);
// Checks the block references, sets the current layer and text style; throws LocatedError for a
// reference to a missing block or a block holding itself.
std::unique_ptr<Drawing> finishDrawing(DrawingBuild& build);

}  // namespace plovis::dxf
