#include "groundprofile/ground_profile_inputs.h"

#include <gtest/gtest.h>

#include <sstream>

#include "support/snapshot.h"

namespace plovis {
namespace {

// The boxes as "paper: hscale / vscale / size / length / gap".
std::string boxesText(const GroundProfileBoxes& b) {
    return b.cmbPaper + ": " + b.hscale + " / " + b.vscale + " / " + b.txtSize + " / " +
           b.txtPaperLength + " / " + b.txtGap;
}

// The boxes on load and the paper rule for every paper, then boxes read: the settings read
// (in full single precision) or "invalid" with the box at fault, the focus and the boxes after
// reading. Compared with tests/groundprofile/golden/inputs.txt.
TEST(GroundProfileInputs, ReadLikeTheirReviewedSnapshot) {
    std::ostringstream report;
    report << std::setprecision(9) << "on load " << boxesText(loadGroundProfileBoxes()) << "\n";
    for (const char* paper : {"A4", "A3", "A2", "A1", "ALL", "a1", ""}) {
        GroundProfileBoxes b;
        b.cmbPaper = paper;
        applyPaperSize(b);
        report << "paper rule " << boxesText(b) << "\n";
    }
    const std::vector<std::string> cases[] = {
        // hscale, vscale, size, length, gap[, paper]
        {"5000", "1000", "1.8", "700", "350"},
        {"5000", "1000", "1.8", "700", "abc"},  // a bad gap becomes 350
        {"5000", "1000", "1.8", "700", "-5"},
        {"abc", "1000", "1.8", "700", "350"},
        {"", "1000", "1.8", "700", "350"},
        {"0.5", "1000", "1.8", "700", "350"},
        {"5000", "1000", "0", "700", "350"},
        {"5000", "12 m", "1.8", "700", "350"},
        {"5000", "1000", "1.8", "-700", "350"},  // never an endless sheet loop
        {"5000", "1000", "1.8", "1e999", "350"},
        {"5000", "1000", "1.8", "", "350"},  // empty: the paper table's
        {"5000", "1000", "1.8", "0", "350", "A4"},
        {"5000", "1000", "1.8", "123 mm", "80"},  // typed lengths stay as typed
        {"5000", "1000", "big", "123", "350"},
        {"5000", "1000", "1.8 mm", "700", "350"},
        {"1e39", "1000", "1.8", "700", "350"},
        {"1", "1", "0.1", "700", "350"},
    };
    for (const auto& c : cases) {
        GroundProfileBoxes b = loadGroundProfileBoxes();
        b.hscale = c[0];
        b.vscale = c[1];
        b.txtSize = c[2];
        b.txtPaperLength = c[3];
        b.txtGap = c[4];
        if (c.size() > 5) b.cmbPaper = c[5];
        report << boxesText(b) << " -> ";
        std::string invalidBox;
        if (const auto s = readInputs(b, &invalidBox)) {
            report << "h " << s->hFactor << " v " << s->vFactor << " size " << s->textSize
                   << " length " << s->plotLength << " gap " << s->sheetGap;
        } else {
            report << "invalid " << invalidBox;
        }
        report << ", focus '" << b.focus << "', after " << boxesText(b) << "\n";
    }
    test::expectGolden(report.str(), "groundprofile", "inputs");
}

}  // namespace
}  // namespace plovis
