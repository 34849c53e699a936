#include "hosts/dxf/dxf_writer.h"

#include <algorithm>

#include "hosts/dxf/dxf_document_writer.h"

namespace plovis {
namespace dxf {
namespace {

// Handles the writer takes besides table records, blocks and entities: the nine tables, the
// root dictionary with its group and layout dictionaries, and the two layouts.
constexpr Handle kFixedCount = 14;

}  // namespace

DocumentWriter::DocumentWriter(const Drawing& drawing, DxfTagWriter& out)
    : drawing_(drawing), out_(out) {
    Handle* fixed[] = {&fixed_.vportTable,     &fixed_.ltypeTable,      &fixed_.layerTable,
                       &fixed_.styleTable,     &fixed_.viewTable,       &fixed_.ucsTable,
                       &fixed_.appidTable,     &fixed_.dimstyleTable,   &fixed_.blockRecordTable,
                       &fixed_.rootDictionary, &fixed_.groupDictionary, &fixed_.layoutDictionary,
                       &fixed_.modelLayout,    &fixed_.paperLayout};
    static_assert(std::size(fixed) == kFixedCount);
    for (Handle* h : fixed)
        *h = take();
}

// The first handle never used: every handle the writer takes, counted ahead.
Handle DocumentWriter::handleSeed() const {
    const auto& blocks = drawing_.blocks();
    Handle count = kFixedCount;
    count += 1 + drawing_.linetypes().count() + drawing_.layers().count() +
             drawing_.textStyles().count() + 2;              // vport, records, appid, dimstyle
    count += 2 + static_cast<Handle>(blocks.count());        // block records
    count += 2 * (2 + static_cast<Handle>(blocks.count()));  // BLOCK and ENDBLK
    for (int i = 0; i < blocks.count(); ++i)
        count += entityHandles(blocks.at(i));
    count += entityHandles(drawing_.modelSpace());
    return count + sheetHandles() + 1;
}

void DocumentWriter::write() {
    extents_ = modelSpaceExtents(drawing_);
    header();
    classes();
    tables();
    blocks();
    entities();
    objects();
    out_.text(0, "EOF");
    out_.flush();
}

void DocumentWriter::header() {
    const Extents& e = extents_;
    const Point low = e.empty() ? Point{} : Point{e.minX, e.minY, 0};
    const Point high = e.empty() ? Point{} : Point{e.maxX, e.maxY, 0};
    out_.text(0, "SECTION");
    out_.text(2, "HEADER");
    auto variable = [this](const char* name) { out_.text(9, name); };
    variable("$ACADVER");
    out_.text(1, "AC1015");
    variable("$DWGCODEPAGE");
    out_.text(3, "ANSI_1252");
    variable("$INSBASE");
    out_.point(10, Point{});
    variable("$EXTMIN");
    out_.point(10, low);
    variable("$EXTMAX");
    out_.point(10, high);
    variable("$LIMMIN");
    out_.point2(10, 0, 0);
    variable("$LIMMAX");
    out_.point2(10, 420, 297);
    variable("$LTSCALE");
    out_.real(40, 1);
    variable("$ATTMODE");
    out_.integer(70, 1);
    variable("$TEXTSIZE");
    out_.real(40, 2.5);
    variable("$TEXTSTYLE");
    out_.text(7, drawing_.activeTextStyle().name());
    variable("$CLAYER");
    out_.text(8, drawing_.activeLayer().name());
    variable("$CELTYPE");
    out_.text(6, "ByLayer");
    variable("$CECOLOR");
    out_.integer(62, kColorByLayer);
    variable("$LUNITS");
    out_.integer(70, 2);
    variable("$LUPREC");
    out_.integer(70, 4);
    variable("$HANDSEED");
    out_.handle(5, handleSeed());
    // Drawing units are millimetres of the plotted sheet; without these two a CAD program takes
    // them for inches and plots every sheet 25.4 times too large.
    variable("$INSUNITS");
    out_.integer(70, 4);
    variable("$MEASUREMENT");
    out_.integer(70, 1);
    out_.text(0, "ENDSEC");
}

// The layout objects are instances of a class that R2000 files declare here.
void DocumentWriter::classes() {
    out_.text(0, "SECTION");
    out_.text(2, "CLASSES");
    out_.text(0, "CLASS");
    out_.text(1, "LAYOUT");
    out_.text(2, "AcDbLayout");
    out_.text(3, "ObjectDBX Classes");
    out_.integer(90, 0);
    out_.integer(280, 0);
    out_.integer(281, 0);
    out_.text(0, "ENDSEC");
}

void DocumentWriter::tableStart(const char* name, Handle handle, int count) {
    out_.text(0, "TABLE");
    out_.text(2, name);
    out_.handle(5, handle);
    out_.handle(330, 0);
    out_.text(100, "AcDbSymbolTable");
    out_.integer(70, count);
}

// Every table must be present, even empty (VIEW, UCS): CAD programs refuse a file without one.
void DocumentWriter::tables() {
    out_.text(0, "SECTION");
    out_.text(2, "TABLES");
    vportTable();
    linetypeTable();
    layerTable();
    styleTable();
    tableStart("VIEW", fixed_.viewTable, 0);
    out_.text(0, "ENDTAB");
    tableStart("UCS", fixed_.ucsTable, 0);
    out_.text(0, "ENDTAB");
    appidAndDimstyleTables();
    blockRecordTable();
    out_.text(0, "ENDSEC");
}

// The active viewport: the drawing opens zoomed to its extent.
void DocumentWriter::vportTable() {
    const Extents& e = extents_;
    const double width = e.empty() ? 420 : std::max(e.width(), 1.0);
    const double height = e.empty() ? 297 : std::max(e.height(), 1.0);
    const double aspect = 1.5;
    tableStart("VPORT", fixed_.vportTable, 1);
    out_.text(0, "VPORT");
    out_.handle(5, take());
    out_.handle(330, fixed_.vportTable);
    out_.text(100, "AcDbSymbolTableRecord");
    out_.text(100, "AcDbViewportTableRecord");
    out_.text(2, "*Active");
    out_.integer(70, 0);
    out_.point2(10, 0, 0);
    out_.point2(11, 1, 1);
    out_.point2(12, e.empty() ? 210 : (e.minX + e.maxX) / 2,
                e.empty() ? 148.5 : (e.minY + e.maxY) / 2);
    out_.real(40, std::max(height, width / aspect) * 1.1);
    out_.real(41, aspect);
    out_.integer(71, 0);
    out_.integer(72, 1000);
    out_.text(0, "ENDTAB");
}

void DocumentWriter::linetypeTable() {
    const auto& all = drawing_.linetypes().all();
    tableStart("LTYPE", fixed_.ltypeTable, static_cast<int>(all.size()));
    for (const CadLinetype& lt : all) {
        out_.text(0, "LTYPE");
        out_.handle(5, take());
        out_.handle(330, fixed_.ltypeTable);
        out_.text(100, "AcDbSymbolTableRecord");
        out_.text(100, "AcDbLinetypeTableRecord");
        out_.text(2, lt.name);
        out_.integer(70, 0);
        out_.text(3, lt.description);
        out_.integer(72, 65);  // 'A': the only alignment line types have
        out_.integer(73, static_cast<long long>(lt.pattern.size()));
        out_.real(40, lt.patternLength());
        for (double element : lt.pattern) {
            out_.real(49, element);
            out_.integer(74, 0);  // a plain dash: no embedded text or shape
        }
    }
    out_.text(0, "ENDTAB");
}

void DocumentWriter::layerTable() {
    const auto& all = drawing_.layers().all();
    tableStart("LAYER", fixed_.layerTable, static_cast<int>(all.size()));
    for (const CadLayer& layer : all) {
        out_.text(0, "LAYER");
        out_.handle(5, take());
        out_.handle(330, fixed_.layerTable);
        out_.text(100, "AcDbSymbolTableRecord");
        out_.text(100, "AcDbLayerTableRecord");
        out_.text(2, layer.name());
        out_.integer(70, (layer.frozen() ? 1 : 0) | (layer.locked() ? 4 : 0));
        // A layer that is off carries its colour negated.
        out_.integer(62, layer.on() ? layer.color() : -layer.color());
        out_.text(6, layer.linetype());
        out_.integer(370, -3);  // default line weight
    }
    out_.text(0, "ENDTAB");
}

void DocumentWriter::styleTable() {
    const auto& all = drawing_.textStyles().all();
    tableStart("STYLE", fixed_.styleTable, static_cast<int>(all.size()));
    for (const CadTextStyle& style : all) {
        out_.text(0, "STYLE");
        out_.handle(5, take());
        out_.handle(330, fixed_.styleTable);
        out_.text(100, "AcDbSymbolTableRecord");
        out_.text(100, "AcDbTextStyleTableRecord");
        out_.text(2, style.name());
        out_.integer(70, 0);
        out_.real(40, style.height());
        out_.real(41, style.widthFactor());
        out_.real(50, 0);
        out_.integer(71, 0);
        out_.real(42, 2.5);
        out_.text(3, style.fontFile());
        out_.text(4, style.bigFontFile());
    }
    out_.text(0, "ENDTAB");
}

// APPID must name ACAD and DIMSTYLE hold Standard, though we draw no dimensions.
void DocumentWriter::appidAndDimstyleTables() {
    tableStart("APPID", fixed_.appidTable, 1);
    out_.text(0, "APPID");
    out_.handle(5, take());
    out_.handle(330, fixed_.appidTable);
    out_.text(100, "AcDbSymbolTableRecord");
    out_.text(100, "AcDbRegAppTableRecord");
    out_.text(2, "ACAD");
    out_.integer(70, 0);
    out_.text(0, "ENDTAB");
    tableStart("DIMSTYLE", fixed_.dimstyleTable, 1);
    out_.text(100, "AcDbDimStyleTable");
    out_.text(0, "DIMSTYLE");
    out_.handle(105, take());  // DIMSTYLE alone keeps its handle under 105
    out_.handle(330, fixed_.dimstyleTable);
    out_.text(100, "AcDbSymbolTableRecord");
    out_.text(100, "AcDbDimStyleTableRecord");
    out_.text(2, "Standard");
    out_.integer(70, 0);
    out_.text(0, "ENDTAB");
}

void DocumentWriter::blockRecordTable() {
    const auto& blocks = drawing_.blocks();
    const auto sheets = static_cast<int>(drawing_.sheets().size());
    tableStart("BLOCK_RECORD", fixed_.blockRecordTable,
               2 + std::max(0, sheets - 1) + blocks.count());
    auto record = [this](const std::string& name, Handle layout) {
        const Handle h = take();
        out_.text(0, "BLOCK_RECORD");
        out_.handle(5, h);
        out_.handle(330, fixed_.blockRecordTable);
        out_.text(100, "AcDbSymbolTableRecord");
        out_.text(100, "AcDbBlockTableRecord");
        out_.text(2, name);
        out_.handle(340, layout);
        return h;
    };
    modelRecord_ = record("*Model_Space", fixed_.modelLayout);
    paperRecord_ = record("*Paper_Space", fixed_.paperLayout);
    sheetRecords(record);
    for (int i = 0; i < blocks.count(); ++i)
        blockRecords_.push_back(record(blocks.at(i).name(), 0));
    out_.text(0, "ENDTAB");
}

void DocumentWriter::blockBegin(const std::string& name, Handle record, const Point& origin,
                                int flags) {
    out_.text(0, "BLOCK");
    out_.handle(5, take());
    out_.handle(330, record);
    out_.text(100, "AcDbEntity");
    out_.text(8, "0");
    out_.text(100, "AcDbBlockBegin");
    out_.text(2, name);
    out_.integer(70, flags);
    out_.point(10, origin);
    out_.text(3, name);
    out_.text(1, "");
}

void DocumentWriter::blockEnd(Handle record) {
    out_.text(0, "ENDBLK");
    out_.handle(5, take());
    out_.handle(330, record);
    out_.text(100, "AcDbEntity");
    out_.text(8, "0");
    out_.text(100, "AcDbBlockEnd");
}

// Model and paper space have their (empty) block definitions here; model space entities follow
// in ENTITIES.
void DocumentWriter::blocks() {
    out_.text(0, "SECTION");
    out_.text(2, "BLOCKS");
    blockBegin("*Model_Space", modelRecord_, Point{}, 0);
    blockEnd(modelRecord_);
    blockBegin("*Paper_Space", paperRecord_, Point{}, 0);
    blockEnd(paperRecord_);
    sheetBlocks();
    const auto& blocks = drawing_.blocks();
    for (int i = 0; i < blocks.count(); ++i) {
        const CadBlock& block = blocks.at(i);
        bool hasAttributes = false;
        for (const auto& item : block.items()) {
            const auto* def = entityAs<CadAttributeDefinition>(*item);
            if (def && !item->erased() && !(def->mode() & kAttributeConstant)) hasAttributes = true;
        }
        const int flags = (block.name().starts_with('*') ? 1 : 0) | (hasAttributes ? 2 : 0);
        blockBegin(block.name(), blockRecords_[i], block.origin(), flags);
        for (const auto& item : block.items()) {
            if (!item->erased()) entity(*item, blockRecords_[i]);
        }
        blockEnd(blockRecords_[i]);
    }
    out_.text(0, "ENDSEC");
}

void DocumentWriter::entities() {
    out_.text(0, "SECTION");
    out_.text(2, "ENTITIES");
    for (const auto& item : drawing_.modelSpace().items()) {
        if (!item->erased()) entity(*item, modelRecord_);
    }
    if (!drawing_.sheets().empty()) sheetViewports(drawing_.sheets().list().front(), paperRecord_);
    out_.text(0, "ENDSEC");
}

// The root dictionary with the group dictionary (required even empty) and the two layouts
// every R2000 drawing has, model and one paper layout.
void DocumentWriter::objects() {
    out_.text(0, "SECTION");
    out_.text(2, "OBJECTS");
    auto dictionary = [this](Handle handle, Handle owner) {
        out_.text(0, "DICTIONARY");
        out_.handle(5, handle);
        out_.handle(330, owner);
        out_.text(100, "AcDbDictionary");
        out_.integer(281, 1);
    };
    dictionary(fixed_.rootDictionary, 0);
    out_.text(3, "ACAD_GROUP");
    out_.handle(350, fixed_.groupDictionary);
    out_.text(3, "ACAD_LAYOUT");
    out_.handle(350, fixed_.layoutDictionary);
    dictionary(fixed_.groupDictionary, fixed_.rootDictionary);
    dictionary(fixed_.layoutDictionary, fixed_.rootDictionary);
    if (drawing_.sheets().empty()) {
        out_.text(3, "Layout1");
        out_.handle(350, fixed_.paperLayout);
        out_.text(3, "Model");
        out_.handle(350, fixed_.modelLayout);
        layout(fixed_.modelLayout, "Model", 0, modelRecord_, *isoPaper("A3"));
        layout(fixed_.paperLayout, "Layout1", 1, paperRecord_, *isoPaper("A3"));
    } else {
        sheetLayouts();
    }
    out_.text(0, "ENDSEC");
}

// The layout's plot settings name its paper, which it plots at 1:1 in millimetres.
void DocumentWriter::layout(Handle handle, const std::string& name, int tabOrder, Handle record,
                            const PaperSize& paper) {
    out_.text(0, "LAYOUT");
    out_.handle(5, handle);
    out_.text(102, "{ACAD_REACTORS");
    out_.handle(330, fixed_.layoutDictionary);
    out_.text(102, "}");
    out_.handle(330, fixed_.layoutDictionary);
    out_.text(100, "AcDbPlotSettings");
    out_.text(1, "");
    out_.text(2, "none_device");
    out_.text(4, paperMediaName(paper));
    out_.text(6, "");
    for (int code = 40; code <= 43; ++code)
        out_.real(code, 7.5);
    out_.real(44, paper.widthMm);
    out_.real(45, paper.heightMm);
    for (int code = 46; code <= 49; ++code)
        out_.real(code, 0);
    out_.real(140, 0);
    out_.real(141, 0);
    out_.real(142, 1);
    out_.real(143, 1);
    out_.integer(70, tabOrder == 0 ? 1024 : 0);
    out_.integer(72, 1);  // paper units: millimetres
    out_.integer(73, 0);
    out_.integer(74, 5);
    out_.text(7, "");
    out_.integer(75, 16);
    out_.real(147, 1);
    out_.text(100, "AcDbLayout");
    out_.text(1, name);
    out_.integer(70, 1);
    out_.integer(71, tabOrder);
    out_.point2(10, 0, 0);
    out_.point2(11, paper.widthMm, paper.heightMm);
    out_.point(12, Point{});
    out_.point(14, Point{});
    out_.point(15, Point{});
    out_.real(146, 0);
    out_.point(13, Point{});
    out_.point(16, Point{1, 0, 0});
    out_.point(17, Point{0, 1, 0});
    out_.integer(76, 0);
    out_.handle(330, record);
}

}  // namespace dxf

void writeDxf(const Drawing& drawing, DxfTagWriter& out) {
    dxf::DocumentWriter(drawing, out).write();
}

}  // namespace plovis
