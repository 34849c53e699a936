#pragma once
// A scheme workbook, a drawing host whose template carries the schematic's symbols, and readers of
// what the schematic drew: the fixture of the schematic's tests and of its command's tests.

#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "doubles/recording_user_interface.h"
#include "hosts/memory_cad_host.h"
#include "hosts/memory_workbook.h"
#include "hosts/scripted_cad_utility.h"
#include "support/drawn_entities.h"
#include "support/sheet_rows.h"
#include "support/test_paths.h"

namespace plovis::test {

// The schematic's symbols with their attribute definitions: two for the intakes (name and level),
// one for every other symbol.
inline void addSchematicBlocks(Drawing& d) {
    for (const char* name : {"INTAKE", "INTAKE_CC", "CC1", "RVT", "JNO", "TNO"}) {
        CadBlock& block = d.blocks().add(name, {});
        block.addCircle({0, 0, 0}, 1.5);
        block.addAttribute(1.2, kAttributeNormal, "Name", {0, 3, 0}, "NAME", "?");
        if (std::string(name).starts_with("INTAKE")) {
            block.addAttribute(1.2, kAttributeNormal, "Level", {0, 1, 0}, "RL", "?");
        }
    }
}

// One section row of the network range (columns counted from the selection's column B).
struct Section {
    std::string from, to;
    double length = 100, flow = 1.5;
    std::string direction = "R";
    double fromLevel = 1000, toLevel = 990;
    CellValue d1 = 63.0;         // +13 plastic pipe diameter
    CellValue c1 = 6.0;          // +14 plastic pipe class
    CellValue d2 = CellValue{};  // +16 galvanised iron pipe diameter
    CellValue c2 = CellValue{};  // +17 galvanised iron pipe class
};

struct SchematicFixture {
    static constexpr int kFirstRow = 16;
    static constexpr int kColumn = 2;  // B

    ScratchDir dir{"schematic"};
    std::filesystem::path templateFile = dir / "Pipe-des-blank.dwg";
    ScriptedCadUtility utility;
    RecordingUserInterface ui;
    MemoryCadHost cad;
    MemorySpreadsheetHost sheets;
    MemoryWorkbook* workbook = nullptr;
    MemoryWorksheet* sheet = nullptr;
    int nextRow = kFirstRow;

    explicit SchematicFixture(bool cadRunning = true) : cad(utility, cadRunning, reader()) {
        std::ofstream(dir / "Pipe-des-blank.dxf") << "template";
        workbook = &sheets.add(std::make_unique<MemoryWorkbook>("scheme.xlsx"));
        sheet = &workbook->addSheet("PD-CW-Sample");
        sheet->load(6, 5, std::string("Kaski Gravity Scheme"));
        sheet->load(6, 9, std::string("Dhara Khola"));
        sheet->load(6, 12, 0.85);
    }

    static DrawingFileReader reader() {
        return [](const std::filesystem::path& path) {
            auto d = std::make_unique<Drawing>(path.filename().string());
            addSchematicBlocks(*d);
            d->modelSpace().addLine({0, 0, 0}, {10, 0, 0});
            return d;
        };
    }

    // A title row: column +0 empty, the title in +1.
    void title(const std::string& text) { sheet->load(nextRow++, kColumn + 1, text); }
    void section(const Section& s) {
        // clang-format off
        loadRow(*sheet, nextRow, kColumn, {static_cast<double>(nextRow), s.from, s.to, s.length, {},
                s.flow, s.direction, s.fromLevel, s.toLevel, {}, {}, {}, {}, s.d1, s.c1, {}, s.d2, s.c2});
        // clang-format on
        ++nextRow;
    }
    // Selects the rows written so far (column B), or the rows given.
    void select() { select(kFirstRow, nextRow - 1); }
    void select(int firstRow, int lastRow) {
        workbook->setSelection({firstRow, kColumn, lastRow, kColumn});
    }

    Drawing& drawing() { return cad.activeDocument(); }
};

}  // namespace plovis::test
