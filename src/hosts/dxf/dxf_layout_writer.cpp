// The paper-space layouts of the DXF writer: one per sheet of the drawing, each with the
// paper's own viewport and one viewport showing the sheet's rectangle of model space at 1:1, so a
// CAD user plots the set layout by layout on the paper the drawing was laid out for.
#include <cstdio>

#include "hosts/dxf/dxf_document_writer.h"

namespace plovis::dxf {

std::string paperMediaName(const PaperSize& paper) {
    char size[64];
    std::snprintf(size, sizeof size, "(%.2f_x_%.2f_MM)", paper.widthMm, paper.heightMm);
    const bool iso = paper.name.size() == 2 && paper.name[0] == 'A';
    return (iso ? "ISO_" + paper.name + "_" : std::string("Custom_")) + size;
}

// The handles the layouts take besides the two every drawing has: per sheet two viewports, and
// for each sheet after the first a block record, its BLOCK and ENDBLK and its layout.
Handle DocumentWriter::sheetHandles() const {
    const Handle sheets = drawing_.sheets().size();
    return sheets == 0 ? 0 : 2 * sheets + 4 * (sheets - 1);
}

void DocumentWriter::sheetRecords(const std::function<Handle(const std::string&, Handle)>& record) {
    const auto& sheets = drawing_.sheets().list();
    for (std::size_t i = 1; i < sheets.size(); ++i) {
        const Handle layout = take();
        sheetLayouts_.push_back(layout);
        sheetRecords_.push_back(record("*Paper_Space" + std::to_string(i - 1), layout));
    }
}

void DocumentWriter::sheetBlocks() {
    const auto& sheets = drawing_.sheets().list();
    for (std::size_t i = 1; i < sheets.size(); ++i) {
        const Handle record = sheetRecords_[i - 1];
        blockBegin("*Paper_Space" + std::to_string(i - 1), record, Point{}, 0);
        sheetViewports(sheets[i], record);
        blockEnd(record);
    }
}

// The paper's own viewport (number 1, the whole sheet of paper) and the one onto model space.
void DocumentWriter::sheetViewports(const DrawingSheet& sheet, Handle owner) {
    viewport(sheet, owner, 1, sheet.paper.heightMm);
    viewport(sheet, owner, 2, sheet.paper.heightMm);
}

void DocumentWriter::viewport(const DrawingSheet& sheet, Handle owner, int id, double viewHeight) {
    const double w = sheet.paper.widthMm, h = sheet.paper.heightMm;
    out_.text(0, "VIEWPORT");
    out_.handle(5, take());
    out_.handle(330, owner);
    out_.text(100, "AcDbEntity");
    out_.integer(67, 1);
    out_.text(8, "0");
    out_.text(100, "AcDbViewport");
    out_.point(10, Point{w / 2, h / 2, 0});
    out_.real(40, w);
    out_.real(41, h);
    out_.integer(68, id);
    out_.integer(69, id);
    // The paper's viewport looks at paper space itself; the sheet's at its rectangle of model
    // space, whose height it shows on the paper's height: 1:1.
    const Point centre =
        id == 1 ? Point{w / 2, h / 2, 0}
                : Point{(sheet.minX + sheet.maxX()) / 2, (sheet.minY + sheet.maxY()) / 2, 0};
    out_.point2(12, centre.x, centre.y);
    out_.point2(13, 0, 0);
    out_.point2(14, 10, 10);
    out_.point2(15, 10, 10);
    out_.point(16, Point{0, 0, 1});
    out_.point(17, Point{});
    out_.real(42, 50);
    out_.real(43, 0);
    out_.real(44, 0);
    out_.real(45, viewHeight);
    out_.real(50, 0);
    out_.real(51, 0);
    out_.integer(72, 1000);
    out_.integer(90, 32864);
    out_.integer(281, 0);
    out_.integer(71, 1);
    out_.integer(74, 0);
    out_.point(110, Point{});
    out_.point(111, Point{1, 0, 0});
    out_.point(112, Point{0, 1, 0});
    out_.integer(79, 0);
    out_.real(146, 0);
}

// The layout dictionary's entries and the layouts: Model, then the sheets in drawing order.
void DocumentWriter::sheetLayouts() {
    const auto& sheets = drawing_.sheets().list();
    out_.text(3, "Model");
    out_.handle(350, fixed_.modelLayout);
    for (std::size_t i = 0; i < sheets.size(); ++i) {
        out_.text(3, sheets[i].name);
        out_.handle(350, i == 0 ? fixed_.paperLayout : sheetLayouts_[i - 1]);
    }
    layout(fixed_.modelLayout, "Model", 0, modelRecord_, *isoPaper("A3"));
    for (std::size_t i = 0; i < sheets.size(); ++i) {
        layout(i == 0 ? fixed_.paperLayout : sheetLayouts_[i - 1], sheets[i].name,
               static_cast<int>(i) + 1, i == 0 ? paperRecord_ : sheetRecords_[i - 1],
               sheets[i].paper);
    }
}

}  // namespace plovis::dxf
