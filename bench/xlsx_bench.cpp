// Times the workbook host on a large workbook: open, read every cell, write 10 % of the cells,
// save. Made by bench/make_large_workbook; run side by side with openpyxl by
// bench/xlsx-vs-openpyxl.
//   plovis_bench_xlsx IN.xlsx OUT.xlsx
#include <chrono>
#include <cstdio>
#include <string>

#include "hosts/xlsx/xlsx_workbook.h"

namespace {

using Clock = std::chrono::steady_clock;

double since(Clock::time_point t) {
    return std::chrono::duration<double>(Clock::now() - t).count();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s IN.xlsx OUT.xlsx\n", argv[0]);
        return 64;
    }
    try {
        auto t = Clock::now();
        auto wb = plovis::XlsxWorkbook::open(argv[1]);
        const double open = since(t);

        t = Clock::now();
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
        const double read = since(t);

        t = Clock::now();
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
        const double write = since(t);

        t = Clock::now();
        wb->save(argv[2]);
        const double save = since(t);

        std::printf("cells: %d rows x %d columns, %ld numbers (sum %.6g), %ld texts\n", rows,
                    columns, numbers, sum, texts);
        std::printf("open        %7.3f s\n", open);
        std::printf("read all    %7.3f s\n", read);
        std::printf("open+read   %7.3f s\n", open + read);
        std::printf("write %ld cells %7.3f s\n", written, write);
        std::printf("save        %7.3f s\n", save);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
