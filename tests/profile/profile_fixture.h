#pragma once
// A design range built in code: title rows and section rows of the pipe design table, placed on
// an in-memory sheet at the columns the profile reads; a CAD host with the profile's template;
// the profile command over both.

#include <stdlib.h>

#include <fstream>
#include <string>
#include <vector>

#include "commands/profile_command.h"
#include "doubles/recording_user_interface.h"
#include "hosts/memory_cad_host.h"
#include "hosts/memory_workbook.h"
#include "hosts/scripted_cad_utility.h"
#include "profile/profile_state.h"
#include "scheme/design_range.h"
#include "support/message_boxes.h"
#include "support/sheet_rows.h"
#include "support/test_paths.h"
#include "support/ui_seen.h"

namespace plovis::test {

struct DesignRow {
    std::string from{};  // title on a title row
    std::string to{};
    double length = 100, startGround = 0, endGround = 0, staticLevel = 0, startHgl = 0, endHgl = 0;
    bool title = false;
    double flow = 1.5;
    std::string soil = "Soil";
    std::string structure{};
};

// A section row: from, to, then the numbers in the order of the fields above.
template <class... Fields>
DesignRow section(Fields... fields) {
    return DesignRow(fields...);
}

inline DesignRow titleRow(std::string title) {
    return {.from = std::move(title), .title = true};
}

// Writes the rows from sheet row 16 with the selection's first column 2 (B), as the design table
// of a scheme workbook is laid out.
inline void writeDesignRows(MemoryWorksheet& sheet, const std::vector<DesignRow>& rows,
                            int firstRow = 16, int firstCol = 2) {
    int number = 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const DesignRow& r = rows[i];
        const int row = firstRow + static_cast<int>(i);
        sheet.load(row, firstCol + 1, r.from);
        if (!r.structure.empty()) sheet.load(row, firstCol + 25, r.structure);
        if (r.title) {
            number = 0;
            continue;
        }
        const std::pair<int, CellValue> cells[] = {
            {0, double(++number)}, {2, r.to},          {3, r.length},
            {5, r.flow},           {7, r.startGround}, {8, r.endGround},
            {10, r.staticLevel},   {13, 63.0},         {14, 6.0},
            {22, r.startHgl},      {23, r.endHgl},     {24, r.soil}};
        for (const auto& [offset, value] : cells)
            sheet.load(row, firstCol + offset, value);
    }
}

// The same rows straight into a state's design columns, as reading them would.
inline void loadDesignColumns(ProfileState& state, const std::vector<DesignRow>& rows) {
    MemoryWorkbook wb;
    MemoryWorksheet& sheet = wb.addSheet("PD-CW-Sample");
    writeDesignRows(sheet, rows);
    state.table.rowCount = static_cast<int>(rows.size());
    state.table.columns.allocate(state.table.rowCount);
    state.table.selection = {16, 16 + state.table.rowCount - 1, 2, 2};
    RecordingUserInterface ui;
    readDesignRows(sheet, state.table, ui);
}

// A CAD host whose template "Pipe-des-blank.dwg" (a file in a scratch folder, read as a drawing)
// defines the profile's blocks and holds a line in its model space.
struct TemplateCad {
    ScratchDir dir{"profile"};
    std::filesystem::path templateFile = dir / "Pipe-des-blank.dwg";
    ScriptedCadUtility utility;
    RecordingUserInterface ui;
    MemoryCadHost cad;

    explicit TemplateCad(bool running = true)
        : cad(utility, running, [](const std::filesystem::path& path) {
              auto d = std::make_unique<Drawing>(path.filename().string());
              for (const char* name : {"ini-format", "conl", "a4_paper", "IN", "CC", "SD", "RT",
                                       "BPC", "TAP", "AV", "WO", "DC", "JN"})
                  d->blocks().add(name, {}).addLine({0, 0, 0}, {1, 1, 0});
              d->modelSpace().addLine({0, 0, 0}, {10, 0, 0});
              return d;
          }) {
        ::setenv("PLOVIS_DATA_DIR", (sourceDir() / "data").c_str(), 1);
        std::ofstream(dir / "Pipe-des-blank.dxf") << "template";
    }
};

// A scheme workbook ("PD-CW-Sample", the scheme title on "DATA INPUT") and a CAD host whose
// template defines the blocks the drawing inserts.
struct ProfileFixture : TemplateCad {
    MemorySpreadsheetHost spreadsheet;
    MemorySpreadsheetHost other;  // a host the run may be pointed at instead
    SpreadsheetHost* host = &spreadsheet;
    MemoryWorkbook* workbook = nullptr;
    MemoryWorksheet* design = nullptr;
    ProfileCommand command;
    ProfileInputs inputs;

    ProfileFixture() {
        command.templateFile = templateFile;
        auto wb = std::make_unique<MemoryWorkbook>("scheme.xlsx");
        design = &wb->addSheet("PD-CW-Sample");
        wb->addSheet("KELDRAN");
        wb->addSheet("DATA INPUT").load(8, 5, std::string("Kalika WSS"));
        workbook = &spreadsheet.add(std::move(wb));
    }
    // The design rows from sheet row 16, selected from the first to the last row in column B.
    void rows(const std::vector<DesignRow>& design_rows) {
        writeDesignRows(*design, design_rows);
        workbook->setSelection({16, 2, 16 + static_cast<int>(design_rows.size()) - 1, 2});
    }
    // Ground points of "MAIN LINE" on "GroundProfile" from row 4: label, distance, level.
    void ground(const std::vector<std::tuple<const char*, double, double>>& points) {
        MemoryWorksheet& g = workbook->addSheet("GroundProfile");
        g.load(4, 2, std::string("MAIN LINE"));
        int row = 5;
        for (const auto& [label, distance, level] : points)
            loadRow(g, row++, 2, {std::string(label), distance, level});
    }
    // The run as text: its outcome, what the user saw and whether a drawing was made.
    std::string run() {
        std::string s;
        try {
            s = runProfileCommand(command, inputs, *host, cad, ui) ? "done\n" : "stopped\n";
        } catch (const ApplicationEnds&) {
            s = "the application ends\n";
        }
        for (const std::string& line : messageBoxes(ui))
            s += line + "\n";
        for (const std::string& line : seen(ui))
            s += line + "\n";
        return s + (other.started() ? "spreadsheet started\n" : "") +
               (command.cad.document ? "" : "nothing drawn\n");
    }
    Drawing& drawing() { return *command.cad.document; }
};

}  // namespace plovis::test
