#pragma once
// A scheme workbook and a CAD host for the profile command: the design range on "PD-CW-Sample",
// the scheme title, optionally a ground profile, and a template whose blocks the drawing inserts.

#include <stdlib.h>

#include <fstream>
#include <string>
#include <vector>

#include "commands/profile_command.h"
#include "doubles/recording_user_interface.h"
#include "hosts/memory_cad_host.h"
#include "hosts/memory_workbook.h"
#include "hosts/scripted_cad_utility.h"
#include "profile_fixture.h"
#include "support/drawn_entities.h"
#include "support/test_paths.h"

namespace plovis::test {

inline const std::vector<std::string> kTemplateBlocks = {
    "ini-format", "conl", "a4_paper", "IN", "CC", "SD", "RT", "BPC", "TAP", "AV", "WO", "DC", "JN"};

struct ProfileFixture {
    ScratchDir dir{"profile"};
    ScriptedCadUtility utility;
    RecordingUserInterface ui;
    MemorySpreadsheetHost spreadsheet;
    MemoryCadHost cad{utility, true, templateReader()};
    MemoryWorkbook* workbook = nullptr;
    MemoryWorksheet* design = nullptr;
    ProfileCommand command;
    ProfileInputs inputs;

    ProfileFixture() {
        ::setenv("PLOVIS_DATA_DIR", (sourceDir() / "data").c_str(), 1);
        std::ofstream(dir / "Pipe-des-blank.dxf") << "template";
        command.templateFile = dir / "Pipe-des-blank.dwg";
        auto wb = std::make_unique<MemoryWorkbook>("scheme.xlsx");
        design = &wb->addSheet("PD-CW-Sample");
        wb->addSheet("KELDRAN");
        wb->addSheet("DATA INPUT").load(8, 5, std::string("Kalika WSS"));
        workbook = &spreadsheet.add(std::move(wb));
    }

    static DrawingFileReader templateReader() {
        return [](const std::filesystem::path& path) {
            auto d = std::make_unique<Drawing>(path.filename().string());
            for (const std::string& name : kTemplateBlocks) {
                d->blocks().add(name, {}).addCircle({0, 0, 0}, 1);
            }
            return d;
        };
    }

    // The design rows from sheet row 16, selected from the first to the last row in column B.
    void rows(const std::vector<DesignRow>& design_rows) {
        writeDesignRows(*design, design_rows);
        workbook->setSelection({16, 2, 16 + static_cast<int>(design_rows.size()) - 1, 2});
    }

    // Ground points of "GroundProfile": a header row per branch, then label, distance, level.
    struct GroundPoint {
        std::string label;
        double distance, level;
    };
    void groundBranch(const std::string& name, const std::vector<GroundPoint>& points) {
        MemoryWorksheet* g = workbook->findSheet("GroundProfile");
        if (!g) g = &workbook->addSheet("GroundProfile");
        int row = 4;
        while (!isEmpty(g->cell(row, 2)))
            ++row;
        g->load(row++, 2, name);
        for (const auto& p : points) {
            g->load(row, 2, p.label);
            g->load(row, 3, p.distance);
            g->load(row, 4, p.level);
            ++row;
        }
    }

    bool run() { return runProfileCommand(command, inputs, spreadsheet, cad, ui); }
    Drawing& drawing() { return *command.cad.document; }
};

}  // namespace plovis::test
