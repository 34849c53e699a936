// Times the workbook host on a large workbook: open, read every cell, write 10 % of the cells,
// save. Made by bench/make_large_workbook; run side by side with openpyxl by
// bench/xlsx-vs-openpyxl.
//   plovis_bench_xlsx IN.xlsx OUT.xlsx
#include <chrono>
#include <cstdio>
#include <ctime>
#include <string>

#include "hosts/xlsx/xlsx_workbook.h"

namespace {

// A step's wall time, and the processor time this program spent on it: on a machine busy with
// other work the second tells what the step costs on an idle one.
struct Stopwatch {
    std::chrono::steady_clock::time_point wall = std::chrono::steady_clock::now();
    std::clock_t cpu = std::clock();

    void print(const char* step) const {
        const double w =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - wall).count();
        const double c = static_cast<double>(std::clock() - cpu) / CLOCKS_PER_SEC;
        std::printf("%-16s %7.3f s  (processor %.3f s)\n", step, w, c);
    }
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s IN.xlsx OUT.xlsx\n", argv[0]);
        return 64;
    }
    try {
        const Stopwatch total;
        Stopwatch t;
        auto wb = plovis::XlsxWorkbook::open(argv[1]);
        t.print("open");

        Stopwatch r;
        plovis::MemoryWorksheet& s = wb->sheetAt(0);
        const int rows = s.lastRow(), columns = s.lastColumn();
        long numbers = 0, texts = 0;
        double sum = 0;
        for (int r = 1; r <= rows; ++r) {
            for (int c = 1; c <= columns; ++c) {
                const plovis::CellValue v = s.cell(r, c);
                if (const double* d = std::get_if<double>(&v)) {
                    ++numbers;
                    sum += *d;
                } else if (plovis::isText(v)) {
                    ++texts;
                }
            }
        }
        r.print("read all");
        total.print("open+read");

        t = Stopwatch();
        long written = 0;
        for (int r = 1; r <= rows; ++r) {
            for (int c = 1; c <= columns; ++c) {
                if ((r + c) % 10 != 0) continue;
                if (c % 2) {
                    s.setCell(r, c, r * 0.5);
                } else {
                    s.setCell(r, c, "W" + std::to_string(r));
                }
                ++written;
            }
        }
        t.print("write 10 %");

        t = Stopwatch();
        wb->save(argv[2]);
        t.print("save");

        std::printf("cells: %d rows x %d columns, %ld numbers (sum %.6g), %ld texts; %ld written\n",
                    rows, columns, numbers, sum, texts, written);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
