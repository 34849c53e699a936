// Times the formula engine on a large synthetic scheme: "PD-CW-Sample" with 200 branches of 50
// sections (10,000 rows), each row carrying the sample's 13 hydraulic formulas and 12 more of
// the same kind (250,000 formulas). Run by hand:
//   build/bench/plovis_bench_formulas [OUT.xlsx]
// It times: opening the saved workbook (stored values trusted), a full recalculation, and the
// recalculation after every friction factor (AG) is rewritten as pipe-head-loss does.
#include <chrono>
#include <cstdio>
#include <ctime>
#include <string>

#include "hosts/manual_calculation.h"
#include "hosts/xlsx/xlsx_workbook.h"

namespace {

using namespace plovis;

struct Stopwatch {
    std::chrono::steady_clock::time_point wall = std::chrono::steady_clock::now();
    std::clock_t cpu = std::clock();
    void print(const char* step) const {
        const double w =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - wall).count();
        const double c = static_cast<double>(std::clock() - cpu) / CLOCKS_PER_SEC;
        std::printf("%-34s %7.3f s  (processor %.3f s)\n", step, w, c);
    }
};

constexpr int kRows = 10'000;

// The sample's formulas of one row, and twelve more reading the same cells.
void fillRow(MemoryWorksheet& s, int r, int sectionOfBranch) {
    const std::string n = std::to_string(r), p = std::to_string(r - 1);
    s.setCell(r, 2, static_cast<double>(sectionOfBranch + 1));  // B: section number
    s.setCell(r, 6, 80.0 + (r * 37) % 60);                      // F: length
    s.setCell(r, 7, 0.5 + (r % 13) * 0.1);                      // G: flow l/s
    s.setCell(r, 9, 2000.0 - r * 0.5);                          // I: level of the start
    s.setCell(r, 10, 2000.0 - r * 0.5 - 3);                     // J: level of the end
    s.setCell(r, 33, 0.02);                                     // AG: friction factor
    s.setCell(r, 35, 50.0 + (r % 4) * 13);                      // AI: diameter mm
    s.setCell(r, 36, 0.0015);                                   // AJ: roughness
    const auto f = [&](int column, const std::string& text) {
        s.setFormula(r, column, text, CellValue{});
    };
    f(11, "I" + n + "-J" + n);
    f(12, sectionOfBranch ? "L" + p : "I" + n);
    f(13, "L" + n + "-I" + n);
    f(14, "L" + n + "-J" + n);
    f(34, "PI()*(AI" + n + "/1000)^2/4");
    f(20, "G" + n + "/1000/AH" + n);
    f(37, "T" + n + "*AI" + n + "/1000/'DATA INPUT'!$E$28");
    f(21, "AG" + n + "*F" + n + "/(AI" + n + "/1000)*T" + n + "^2/(2*'DATA INPUT'!$E$29)");
    f(22, "U" + n + "/F" + n + "*1000");
    f(24, sectionOfBranch ? "Y" + p : "I" + n);
    f(25, "X" + n + "-U" + n);
    f(23, "X" + n + "-I" + n);
    f(28, "Y" + n + "-J" + n);
    for (int k = 0; k < 12; ++k) {  // AM onwards: more results of the row
        f(39 + k, "IF(U" + n + ">" + std::to_string(k) + ",ROUND(V" + n + "*" +
                      std::to_string(k + 1) + ",3),MAX(AB" + n + ",0))");
    }
}

// As pipe-head-loss writes them: calculation manual, then automatic again.
void rewriteFrictionFactors(MemoryWorkbook& wb) {
    MemoryWorksheet& s = wb.sheet("PD-CW-Sample");
    ManualCalculation manual(wb);
    for (int r = 16; r < 16 + kRows; ++r)
        s.setCell(r, 33, 0.021 + (r % 7) * 0.001);
}

std::string makeWorkbook(const std::string& file) {
    auto wb = XlsxWorkbook::create("synthetic.xlsx", {"PD-CW-Sample", "DATA INPUT"});
    wb->sheet("DATA INPUT").setCell(28, 5, 1.01e-6);
    wb->sheet("DATA INPUT").setCell(29, 5, 9.81);
    MemoryWorksheet& s = wb->sheet("PD-CW-Sample");
    for (int r = 16; r < 16 + kRows; ++r)
        fillRow(s, r, (r - 16) % 50);
    Stopwatch t;
    wb->recalculate();
    t.print("first calculation (compiles all)");
    wb->save(file);
    return file;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string file = argc > 1 ? argv[1] : "/tmp/plovis_formula_bench.xlsx";
    try {
        makeWorkbook(file);
        Stopwatch t;
        auto wb = XlsxWorkbook::open(file);
        t.print("open (stored values)");
        t = Stopwatch();
        const RecalculationReport all = wb->recalculateAll();
        t.print("full recalculation, compiling");
        t = Stopwatch();
        const RecalculationReport again = wb->recalculateAll();
        t.print("full recalculation");
        rewriteFrictionFactors(*wb);
        t = Stopwatch();
        wb->recalculate();
        t.print("after every friction factor");
        const int visited = wb->lastRecalculationVisits();
        // As a command meets it: the workbook just opened, nothing compiled yet.
        auto fresh = XlsxWorkbook::open(file);
        rewriteFrictionFactors(*fresh);
        t = Stopwatch();
        fresh->recalculate();
        t.print("the same, just opened (compiling)");
        std::printf(
            "formulas %d (%d again); after the friction factors %d visited, %zu not computed\n",
            all.computed, again.computed, visited, all.notComputed.size());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
