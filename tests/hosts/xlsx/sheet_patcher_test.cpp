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

// A long sheet written to near its end: the untouched rows go on as they lie in the part, and no
// piece copied is much longer than the patcher's chunk of 4 MB.
TEST(SheetPatcher, ALongSheetGoesOnInPiecesWithoutBeingCopiedWhole) {
    std::string doc = kOpen + "<sheetData>";
    for (int r = 1; r <= 200'000; ++r)
        doc += "<row r=\"" + std::to_string(r) + "\"><c r=\"A" + std::to_string(r) +
               "\"><v>1761.5</v></c></row>";
    doc += "</sheetData></worksheet>";
    struct Listed : CellEdits {
        std::vector<CellEdit> edits = editsOf("B200000=1.5");
        std::size_t size() const override { return edits.size(); }
        std::pair<int, int> cell(std::size_t i) const override {
            return {edits[i].row, edits[i].column};
        }
        bool fills(std::size_t) const override { return true; }
        const CellEdit& edit(std::size_t i) const override { return edits[i]; }
    } listed;
    std::string whole;
    std::size_t longestCopied = 0;
    patchSheetInPieces(doc, listed, [&](std::string_view piece) {
        whole += piece;
        const bool inPart = piece.data() >= doc.data() && piece.data() < doc.data() + doc.size();
        if (!inPart) longestCopied = std::max(longestCopied, piece.size());
    });
    EXPECT_EQ(whole, patchSheet(doc, listed.edits));
    EXPECT_GT(doc.size(), 8u << 20);
    EXPECT_LT(longestCopied, 5u << 20);
}

}  // namespace
}  // namespace plovis::xlsx
