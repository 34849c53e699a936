#include "network/pipe_table.h"

#include "common/cell_address.h"
#include "common/leading_number.h"
#include "common/rounding.h"
#include "common/text.h"
#include "scheme/design_values.h"

namespace plovis {
namespace {

// Column offsets from the row-number column of the design table.
enum Offset : int {
    kFrom = 1,
    kTo = 2,
    kLength = 3,
    kPipeLength = 4,
    kFlow = 5,
    kStartGround = 7,
    kEndGround = 8,
    kStaticLevel = 10,
    kStaticPressure = 12,
    kHdpeClass = 14,
    kVelocity = 18,
    kHeadLoss = 19,
    kStartResidual = 21,
    kStartHgl = 22,
    kEndHgl = 23,
    kEndResidual = 26,
    kFriction = 31,
    kInnerDiameter = 33,
    kRoughness = 34,
    kReynolds = 35,
};

class RowReader {
  public:
    RowReader(const Worksheet& sheet, int row, int mark) : sheet_(sheet), row_(row), mark_(mark) {}

    std::string text(int offset) const {
        return std::string(trimBlanks(cellText(sheet_.cell(row_, mark_ + offset))));
    }

    double number(int offset, const char* what) const {
        try {
            return designNumber(sheet_.cell(row_, mark_ + offset), what);
        } catch (const ProfileDataError& e) {
            throw PipeTableError("Sheet '" + sheet_.name() + "', cell " +
                                 formatA1({row_, mark_ + offset, row_, mark_ + offset}) + ": " +
                                 e.what());
        }
    }

    std::optional<int> pipeClass() const {
        const CellValue v = sheet_.cell(row_, mark_ + kHdpeClass);
        if (!isNumber(v) && !isNumberText(cellText(v))) return std::nullopt;
        const double cls = number(kHdpeClass, "pipe class");
        if (cls <= 0 || cls > 1000) return std::nullopt;
        return toInt32(cls);
    }

  private:
    const Worksheet& sheet_;
    int row_;
    int mark_;
};

PipeRow readSection(const RowReader& r) {
    PipeRow p;
    p.from = r.text(kFrom);
    p.to = r.text(kTo);
    p.length = r.number(kLength, "length");
    p.pipeLength = r.number(kPipeLength, "pipe length");
    p.flow = r.number(kFlow, "design flow");
    p.startGround = r.number(kStartGround, "ground level at the start node");
    p.endGround = r.number(kEndGround, "ground level at the end node");
    p.staticLevel = r.number(kStaticLevel, "static level");
    p.staticPressure = r.number(kStaticPressure, "static pressure");
    p.pipeClass = r.pipeClass();
    p.velocity = r.number(kVelocity, "velocity");
    p.headLoss = r.number(kHeadLoss, "head loss");
    p.startResidual = r.number(kStartResidual, "residual head at the start node");
    p.startHgl = r.number(kStartHgl, "grade level at the start node");
    p.endHgl = r.number(kEndHgl, "grade level at the end node");
    p.endResidual = r.number(kEndResidual, "residual head at the end node");
    p.frictionFactor = r.number(kFriction, "friction factor");
    p.innerDiameter = r.number(kInnerDiameter, "inner diameter");
    p.roughness = r.number(kRoughness, "roughness");
    p.reynolds = r.number(kReynolds, "Reynolds number");
    return p;
}

bool blankRow(const RowReader& r) {
    return r.text(0).empty() && r.text(kFrom).empty() && r.text(kTo).empty();
}

}  // namespace

PipeTable readPipeRows(const Worksheet& sheet, int firstRow, int lastRow, int markColumn) {
    PipeTable table;
    table.sheet = sheet.name();
    for (int row = firstRow; row <= lastRow; ++row) {
        const RowReader r(sheet, row, markColumn);
        if (blankRow(r)) continue;
        if (r.text(0).empty()) {
            table.branches.push_back(r.text(kFrom));
            continue;
        }
        PipeRow p = readSection(r);
        p.row = row;
        if (table.branches.empty()) table.branches.push_back(p.from);
        p.branch = static_cast<int>(table.branches.size()) - 1;
        table.rows.push_back(std::move(p));
    }
    return table;
}

PipeTable readWholePipeTable(const Worksheet& sheet) {
    constexpr int kMark = 2;
    int row = kFirstSectionListRow;
    int blanks = 0;
    int last = row - 1;
    while (blanks < 2) {
        if (blankRow(RowReader(sheet, row, kMark))) {
            ++blanks;
        } else {
            blanks = 0;
            last = row;
        }
        ++row;
    }
    return readPipeRows(sheet, kFirstSectionListRow, last, kMark);
}

}  // namespace plovis
