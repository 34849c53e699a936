// The engine against values LibreOffice Calc computed for the same formulas, recorded once in
// oracle.tsv: numbers to 1e-12 relative, texts and errors exactly.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>

#include "hosts/formula/formula_support.h"
#include "support/golden_table.h"
#include "support/test_paths.h"

namespace plovis {
namespace {

struct Line {
    int number;
    std::vector<std::string> fields;
};

std::vector<Line> oracleLines() {
    std::ifstream in(test::sourceDir() / "tests/hosts/formula/oracle.tsv");
    std::vector<Line> lines;
    std::string text;
    bool header = true;
    for (int n = 1; std::getline(in, text); ++n) {
        if (text.empty() || text.front() == '#') continue;
        if (std::exchange(header, false)) continue;
        Line line{n, {}};
        std::stringstream fields(text);
        for (std::string f; std::getline(fields, f, '\t');)
            line.fields.push_back(f);
        line.fields.resize(6);
        lines.push_back(std::move(line));
    }
    return lines;
}

MemoryWorksheet& sheetNamed(MemoryWorkbook& wb, const std::string& name) {
    if (MemoryWorksheet* s = wb.findSheet(name)) return *s;
    return wb.addSheet(name);
}

// The sheet's index for a name of one sheet; -1 for the workbook's.
int sheetIndex(MemoryWorkbook& wb, const std::string& name) {
    for (int i = 0; !name.empty() && i < wb.sheetCount(); ++i) {
        if (wb.sheetAt(i).name() == name) return i;
    }
    return -1;
}

void load(MemoryWorkbook& wb, const Line& l) {
    MemoryWorksheet& s = sheetNamed(wb, l.fields[1]);
    const CellRange at = parseA1(l.fields[2]);
    const std::string& type = l.fields[3];
    const std::string value = test::unescapedLine(l.fields[4]);
    if (type == "n") s.load(at.firstRow, at.firstColumn, std::stod(value));
    if (type == "s") s.load(at.firstRow, at.firstColumn, value);
    if (type == "b") s.load(at.firstRow, at.firstColumn, value, CellKind::Boolean);
    if (type == "e") s.load(at.firstRow, at.firstColumn, value, CellKind::Error);
    if (type == "f") s.setFormula(at.firstRow, at.firstColumn, value, CellValue{});
}

void check(MemoryWorkbook& wb, const Line& l) {
    MemoryWorksheet& s = wb.sheet(l.fields[1]);
    const CellRange at = parseA1(l.fields[2]);
    const std::string where =
        "line " + std::to_string(l.number) + ": " + l.fields[2] + " =" + l.fields[5];
    const std::string got = test::describe(s, at.firstRow, at.firstColumn);
    const std::string& type = l.fields[3];
    if (type == "n" && got.starts_with("n:")) {
        const double want = std::stod(l.fields[4]);
        const double have = std::get<double>(s.cell(at.firstRow, at.firstColumn));
        EXPECT_NEAR(have, want, 1e-12 * std::max(1.0, std::abs(want))) << where;
    } else {
        EXPECT_EQ(got, type + ":" + test::unescapedLine(l.fields[4])) << where;
    }
}

TEST(FormulaOracle, TheEngineGivesWhatLibreOfficeGave) {
    const std::vector<Line> lines = oracleLines();
    ASSERT_FALSE(lines.empty());
    MemoryWorkbook wb;
    for (const char* name : {"Data", "Calc", "Other Sheet"})
        wb.addSheet(name);
    std::vector<DefinedName> names;
    for (const Line& l : lines) {
        if (l.fields[0] == "in") load(wb, l);
        if (l.fields[0] == "name")
            names.push_back({l.fields[2], sheetIndex(wb, l.fields[1]), l.fields[4]});
    }
    wb.setDefinedNames(names);
    for (const Line& l : lines) {
        if (l.fields[0] != "out") continue;
        const CellRange at = parseA1(l.fields[2]);
        sheetNamed(wb, l.fields[1])
            .setFormula(at.firstRow, at.firstColumn, test::unescapedLine(l.fields[5]), CellValue{});
    }
    for (const Line& l : lines) {
        if (l.fields[0] == "out") check(wb, l);
    }
}

}  // namespace
}  // namespace plovis
