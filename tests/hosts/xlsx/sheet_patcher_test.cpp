#include "hosts/xlsx/sheet_patcher.h"

#include <gtest/gtest.h>

#include "hosts/xlsx/cell_values.h"
#include "hosts/xlsx/package_error.h"
#include "support/golden_table.h"

namespace plovis::xlsx {
namespace {

const std::string kOpen =
    "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">";

// "B2=7.5 ; C3=\"a text\" ; D4= ; E5={A1*2}4" as edits: a number, a text, emptied, a formula
// with its value ("nan" stands for a number no cell can hold).
std::vector<CellEdit> editsOf(std::string text) {
    std::vector<CellEdit> edits;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find(" ; "), text.size());
        std::string v = text.substr(text.find('=') + 1, end - text.find('=') - 1);
        CellEdit& e = edits.emplace_back();
        parseCellReference(text.substr(0, text.find('=')), e.row, e.column);
        text.erase(0, std::min(end + 3, text.size()));
        if (v.starts_with('{')) {
            e.formula = v.substr(1, v.find('}') - 1);
            v.erase(0, v.find('}') + 1);
        }
        if (!v.empty()) e.value = v[0] == '"' ? CellValue(v.substr(1, v.size() - 2)) : std::stod(v);
    }
    return edits;
}

// "<sheet XML> ## <edits>" patched; the worksheet element is left out on both sides unless the
// case gives its own root.
std::string patched(const std::string& line) {
    std::string doc = line.substr(0, line.find(" ## "));
    const std::string root = doc.substr(1, doc.find_first_of(" />") - 1);
    const bool whole = root.ends_with("worksheet") || root == "chartsheet";
    if (!whole) doc = kOpen + doc + "</worksheet>";
    const std::size_t hashes = line.find(" ## ");
    std::string out;
    try {
        out = patchSheet(doc, editsOf(hashes == std::string::npos ? "" : line.substr(hashes + 4)));
    } catch (const PackageError& e) {
        return std::string("fails: ") + e.what();
    }
    return whole ? out : out.substr(kOpen.size(), out.size() - kOpen.size() - 12);
}

TEST(SheetPatcher, ChangesOnlyTheEditedCells) {
    test::expectGoldenTable("hosts/xlsx", "sheet_patches", patched);
}

TEST(SheetPatcher, RefusesWhatNoCellCanHold) {
    const std::string sheet = kOpen + "<sheetData/></worksheet>";
    auto patch = [&](std::string formula, std::size_t length) {
        patchSheet(sheet, {{1, 1, std::string(length, 'x'), formula}});
    };
    EXPECT_THROW(patch("", 32768), PackageError);
    EXPECT_NO_THROW(patch("", 32767));
    EXPECT_THROW(patch("1+" + std::string(8191, '1'), 1), PackageError);
    EXPECT_NO_THROW(patch("+" + std::string(8191, '1'), 1));
    EXPECT_THROW(patch("A2", 32768), PackageError);
}

}  // namespace
}  // namespace plovis::xlsx
