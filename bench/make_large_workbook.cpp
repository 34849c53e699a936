// Writes the large synthetic workbook the workbook benchmarks read: one sheet "Data" of 200,000
// rows × 10 columns, six of numbers and four of texts, like a long pipe design table.
//   plovis_make_large_workbook OUT.xlsx [ROWS]
#include <chrono>
#include <cstdio>
#include <string>

#include "hosts/xlsx/xlsx_workbook.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s OUT.xlsx [ROWS]\n", argv[0]);
        return 64;
    }
    const int rows = argc > 2 ? std::stoi(argv[2]) : 200'000;
    const auto start = std::chrono::steady_clock::now();
    try {
        auto wb = plovis::XlsxWorkbook::create("large.xlsx", {"Data"});
        plovis::MemoryWorksheet& s = wb->sheetAt(0);
        for (int r = 1; r <= rows; ++r) {
            s.setCell(r, 1, r * 12.5);                                   // chainage
            s.setCell(r, 2, "N" + std::to_string(r));                    // node label
            s.setCell(r, 3, 1500.0 - r * 0.0037);                        // ground level
            s.setCell(r, 4, std::string(r % 3 ? "GI" : "HDPE"));         // pipe material
            s.setCell(r, 5, 0.05 + (r % 7) * 0.0125);                    // diameter
            s.setCell(r, 6, "Branch " + std::to_string(r / 1000 + 1));   // branch name
            s.setCell(r, 7, static_cast<double>(r % 97));                // flow
            s.setCell(r, 8, 3.14159 * r / 1000.0);                       // head loss
            s.setCell(r, 9, std::string(r % 50 ? "" : "BPC") + "PN10");  // class
            s.setCell(r, 10, static_cast<double>(r));                    // row number
        }
        wb->save(argv[1]);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("wrote %s: %d rows x 10 columns in %.2f s\n", argv[1], rows, seconds);
    return 0;
}
