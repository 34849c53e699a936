// Times the three drawing commands on a large synthetic scheme: the pipe line profile of every
// branch of the design table, the schematic of the network and the existing ground profile, each
// drawn to an in-memory drawing laid out on paper sheets, then saved as DXF with one layout per
// sheet (and, for comparison, without the layouts). Run by hand:
//   build/bench/plovis_bench_profile [branches=200] [out.dxf]
// It prints the figures for the scheme and for one twice as large, so linearity shows.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "commands/ground_profile_dialog.h"
#include "commands/profile_command.h"
#include "commands/schematic_command.h"
#include "hosts/dxf/dxf_file.h"
#include "hosts/memory_cad_host.h"
#include "hosts/memory_workbook.h"
#include "hosts/scripted_cad_utility.h"
#include "scheme/design_range.h"

namespace {

using namespace plovis;
using Clock = std::chrono::steady_clock;

constexpr int kSectionsPerBranch = 50;
constexpr int kPointsPerSection = 10;

// A user interface that keeps nothing: the benchmark times the drawing, not a log.
class QuietUserInterface : public UserInterface {
  public:
    Answer showMessage(const Message& m) override {
        std::fprintf(stderr, "message: %s\n", m.text.c_str());
        return Answer::Cancel;
    }
    void setStatus(StatusLabel, std::string_view) override {}
    void showWaitWindow(std::string_view, std::string_view) override {}
    void hideWaitWindow() override {}
    void requestApplicationEnd() override {}
};

// The design table (title row and sections per branch) and the ground profile of every branch:
// ten surveyed points per section, the section's end labelled as its node.
std::unique_ptr<MemoryWorkbook> syntheticScheme(int branches) {
    auto wb = std::make_unique<MemoryWorkbook>("synthetic.xlsx");
    MemoryWorksheet& design = wb->addSheet("PD-CW-Sample");
    wb->addSheet("KELDRAN");
    wb->addSheet("DATA INPUT").load(8, 5, std::string("Synthetic scheme"));
    MemoryWorksheet& ground = wb->addSheet("GroundProfile");
    int row = 16;
    int groundRow = 4;
    for (int b = 0; b < branches; ++b) {
        const std::string title = "Branch " + std::to_string(b + 1);
        design.load(row++, 3, title);
        ground.load(groundRow++, 2, title);
        double level = 2000 - b;
        auto node = [&](int s) {
            return (s == 0 ? "I" : s % 7 == 0 ? "B" : "J") + std::to_string(s);
        };
        ground.load(groundRow, 2, node(0));
        ground.load(groundRow, 3, 0.0);
        ground.load(groundRow++, 4, level);
        for (int s = 0; s < kSectionsPerBranch; ++s) {
            const double length = 80 + (s * 37) % 60;
            const double drop = 2 + (s * 13) % 7;
            auto put = [&](int offset, CellValue v) { design.load(row, 2 + offset, std::move(v)); };
            put(0, double(s + 1));
            put(1, node(s));
            put(2, node(s + 1));
            put(3, length);
            put(5, 2.5 - s * 0.01);
            put(7, level);
            put(8, level - drop);
            put(10, 2000.0 - b - (s / 7) * 30);
            put(13, 63.0);
            put(14, s < 25 ? 10.0 : 6.0);
            put(22, level + 20);
            put(23, level + 18);
            put(24, s % 3 == 0 ? std::string("Rock") : std::string("Soil"));
            ++row;
            for (int k = 1; k <= kPointsPerSection; ++k) {
                ground.load(groundRow, 2,
                            k == kPointsPerSection ? node(s + 1) : "P" + std::to_string(k));
                ground.load(groundRow, 3, length / kPointsPerSection);
                ground.load(groundRow++, 4, level - drop * k / kPointsPerSection);
            }
            level -= drop;
        }
    }
    wb->setSelection({16, 2, row - 1, 2});
    return wb;
}

double seconds(Clock::time_point from) {
    return std::chrono::duration<double>(Clock::now() - from).count();
}

// Saves the drawing twice: without its sheets' layouts and with them.
void printSaves(Drawing& drawing, const std::filesystem::path& out) {
    const DrawingSheets kept = drawing.sheets();
    drawing.sheets().clear();
    auto start = Clock::now();
    saveDxfFile(drawing, out);
    const double without = seconds(start);
    drawing.sheets() = kept;
    start = Clock::now();
    saveDxfFile(drawing, out);  // the file left behind has its layouts
    const double withLayouts = seconds(start);
    std::printf("      %zu sheets; DXF save %.3f s (%.0f MB), without the layouts %.3f s\n",
                kept.size(), withLayouts, std::filesystem::file_size(out) / 1e6, without);
}

// The synthetic scheme in a spreadsheet host, a CAD host and a user interface that stays quiet.
struct Hosts {
    MemorySpreadsheetHost spreadsheet;
    ScriptedCadUtility utility;
    MemoryCadHost cad{utility, true, dxfFileReader()};
    QuietUserInterface ui;
    explicit Hosts(int branches) { spreadsheet.add(syntheticScheme(branches)); }
};

void runSchematic(int branches, const std::filesystem::path& out,
                  const std::filesystem::path& templateFile) {
    Hosts h(branches);
    const auto start = Clock::now();
    const bool done = schematicCommand(h.spreadsheet, h.cad, h.ui, templateFile);
    std::printf("%4d branches, schematic: draw %.3f s, %s\n", branches, seconds(start),
                done ? "completed" : "NOT completed");
    if (h.cad.documentCount()) printSaves(h.cad.activeDocument(), out);
}

void runGroundProfile(int branches, const std::filesystem::path& out) {
    Hosts h(branches);
    GroundProfileDialog dialog;
    h.utility.pickPoint({0, 0, 0});
    const auto start = Clock::now();
    const GroundProfileResult r = dialog.draw(h.cad, h.spreadsheet, h.ui);
    std::printf("%4d branches, ground profile: draw %.3f s, %d sheets drawn\n", branches,
                seconds(start), r.sheetsDrawn);
    if (h.cad.documentCount()) printSaves(h.cad.activeDocument(), out);
}

void run(int branches, const std::filesystem::path& out,
         const std::filesystem::path& templateFile) {
    Hosts h(branches);
    ProfileCommand command;
    command.templateFile = templateFile;
    ProfileInputs inputs;
    const auto start = Clock::now();
    const bool done = runProfileCommand(command, inputs, h.spreadsheet, h.cad, h.ui);
    const double drawn = seconds(start);
    const auto saveStart = Clock::now();
    saveDxfFile(*command.cad.document, out);
    const double saved = seconds(saveStart);
    std::printf(
        "%4d branches, %6d sections, %7d ground points: draw %.3f s, DXF save %.3f s, "
        "total %.3f s, %zu entities, %s\n",
        branches, branches * kSectionsPerBranch, branches * kSectionsPerBranch * kPointsPerSection,
        drawn, saved, drawn + saved, command.cad.document->modelSpace().count(),
        done ? "completed" : "NOT completed");
    printSaves(*command.cad.document, out);
    runSchematic(branches, out, templateFile);
    runGroundProfile(branches, out);
}

}  // namespace

int main(int argc, char** argv) {
    const int branches = argc > 1 ? std::atoi(argv[1]) : 200;
    const std::filesystem::path out =
        argc > 2 ? argv[2] : std::filesystem::temp_directory_path() / "plovis-bench-profile.dxf";
    const auto templateFile = plovis::templateDrawingPath();
    run(branches, out, templateFile);
    run(2 * branches, out, templateFile);
    return 0;
}
