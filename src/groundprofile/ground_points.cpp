#include "groundprofile/ground_points.h"

#include "common/leading_number.h"
#include "common/rounding.h"

namespace plovis {

float parseChainage(const CellValue& value, UserInterface& ui) {
    const std::string text = cellText(value);
    const std::string_view t = text;
    const std::size_t plus = t.find('+');
    const std::size_t percent = t.find('%');
    if (plus == std::string_view::npos && percent == std::string_view::npos) {
        return toSingle(leadingNumber(t));
    }
    try {
        if (plus != std::string_view::npos) {
            return toSingle(leadingNumber(t.substr(0, plus)) * 1000 +
                            leadingNumber(t.substr(plus + 1)));
        }
        return toSingle(leadingNumber(t.substr(0, percent)) / 100);
    } catch (const NumberOverflow&) {
        ui.showMessage(criticalMessage("Error encountered non numeric chainage in remarks sheet."));
        return 0;
    }
}

namespace {

bool reportRowFailure(UserInterface& ui, int row) {
    ui.showMessage(
        okMessage("Please check for the possible error at row number " + std::to_string(row)));
    return false;
}

}  // namespace

bool readGroundSheet(Workbook& workbook, GroundPoints& points, UserInterface& ui) {
    Worksheet* sheet = nullptr;
    try {
        sheet = &workbook.sheet("GroundProfile");
    } catch (const HostError&) {
        ui.showMessage(criticalMessage(
            "Please open the correct data file that contains the sheet named GroundProfile"));
        return false;
    }
    points = GroundPoints{};
    int row = kFirstGroundRow;
    try {
        for (; !isEmpty(sheet->cell(row, 2)); ++row) {
            const double chainage = parseChainage(sheet->cell(row, 1), ui);
            std::string label = cellText(sheet->cell(row, 2));
            const double distance = cellNumber(sheet->cell(row, 3));
            const double level = cellNumber(sheet->cell(row, 4));
            points.chainages.push_back(chainage);
            points.labels.push_back(std::move(label));
            points.distances.push_back(distance);
            points.levels.push_back(level);
        }
    } catch (const HostError&) {
        return reportRowFailure(ui, row);
    } catch (const NumberOverflow&) {
        return reportRowFailure(ui, row);
    }
    return true;
}

void accumulateChainages(GroundPoints& p) {
    double base = 0;
    double run = 0;
    for (std::size_t i = 0; i < p.chainages.size(); ++i) {
        if (p.distances[i] == 0 && p.levels[i] == 0) {
            base = p.chainages[i];
            run = 0;
        } else {
            run += p.distances[i];
            p.chainages[i] = base + run;
        }
    }
}

bool getGroundProfile(SpreadsheetHost& host, GroundPoints& points, UserInterface& ui) {
    if (!attachSpreadsheet(host, ui)) return false;
    if (!readGroundSheet(host.activeWorkbook(), points, ui)) return false;
    accumulateChainages(points);
    return true;
}

}  // namespace plovis
