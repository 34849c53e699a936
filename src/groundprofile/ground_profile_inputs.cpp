#include "groundprofile/ground_profile_inputs.h"

#include <cmath>

#include "common/leading_number.h"
#include "common/number_format.h"
#include "common/rounding.h"
#include "scheme/profile_frame.h"

namespace plovis {

GroundProfileBoxes loadGroundProfileBoxes() {
    GroundProfileBoxes boxes;
    boxes.cmbPaper = "A1";
    applyPaperSize(boxes);
    return boxes;
}

void applyPaperSize(GroundProfileBoxes& boxes) {
    struct Paper {
        const char* name;
        double plotLength, gap;
    };
    static constexpr Paper kPapers[] = {{"A4", 220, 110},
                                        {"A3", 350, 175},
                                        {"A2", 500, 250},
                                        {"A1", 700, 350},
                                        {"ALL", 1000000, 350}};
    double plotLength = 350;
    double gap = 175;
    for (const auto& p : kPapers) {
        if (boxes.cmbPaper == p.name) {
            plotLength = p.plotLength;
            gap = p.gap;
        }
    }
    boxes.txtPaperLength = generalForm(plotLength);
    boxes.txtGap = generalForm(gap);
}

float readNumberBox(std::string& text, const char* boxName, GroundProfileBoxes& boxes) {
    float value = -1;
    if (isNumberText(text)) {
        try {
            value = toSingle(leadingNumber(text));
        } catch (const NumberOverflow&) {
        }
    }
    // A number too large for the box's single precision is no number either.
    if (value == -1 || !std::isfinite(value)) {
        text.clear();
        boxes.focus = boxName;
        return -1;
    }
    return value;
}

namespace {

double plotLengthOf(const std::string& text) {
    try {
        return leadingNumber(text);
    } catch (const NumberOverflow&) {
        return -1;
    }
}

const char* firstInvalidBox(const GroundProfileSettings& s) {
    if (s.hscale < 1) return "hscale";
    if (s.vscale < 1) return "vscale";
    if (s.textSize <= 0) return "txtSize";
    if (s.plotLength <= 0) return "txtPaperLength";
    return nullptr;
}

}  // namespace

std::optional<GroundProfileSettings> readInputs(GroundProfileBoxes& boxes,
                                                std::string* invalidBox) {
    GroundProfileSettings s;
    s.plotLength = plotLengthOf(boxes.txtPaperLength);
    if (s.plotLength == 0) {
        applyPaperSize(boxes);
        s.plotLength = plotLengthOf(boxes.txtPaperLength);
    }
    s.hscale = readNumberBox(boxes.hscale, "hscale", boxes);
    s.vscale = readNumberBox(boxes.vscale, "vscale", boxes);
    s.textSize = readNumberBox(boxes.txtSize, "txtSize", boxes);
    s.sheetGap = readNumberBox(boxes.txtGap, "txtGap", boxes);
    if (s.sheetGap <= 0) s.sheetGap = 350;
    if (const char* box = firstInvalidBox(s)) {
        if (invalidBox) *invalidBox = box;
        return std::nullopt;
    }
    // The factors are held in single precision, which the drawing's positions keep.
    s.hFactor = toSingle(scaleOneTo(s.hscale).mmPerMetre());
    s.vFactor = toSingle(scaleOneTo(s.vscale).mmPerMetre());
    return s;
}

}  // namespace plovis
