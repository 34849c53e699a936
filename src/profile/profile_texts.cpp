#include "profile/profile_texts.h"

#include "common/number_format.h"
#include "scheme/design_values.h"

namespace plovis {

std::string pipeText(const DesignColumns& c, int i) {
    if (cellText(c.giDiameter[i]).empty()) {
        return "H" + cellText(c.hdpeDiameter[i]) + "(" + cellText(c.hdpeClass[i]) + ")";
    }
    if (isNumber(c.giClass[i])) {
        throw ProfileDataError("the class of a galvanised iron pipe is a number, not a text");
    }
    return "GI" + cellText(c.giDiameter[i]) + "(" + cellText(c.giClass[i]) + ")";
}

std::string structureBlock(const std::string& label) {
    if (label.empty()) return "";
    switch (label.front()) {
        case 'I':
            return "IN";
        case 'C':
            return "CC";
        case 'S':
            return "SD";
        case 'R':
            return "RT";
        case 'B':
            return "BPC";
        case 'T':
            return "TAP";
        case 'A':
            return "AV";
        case 'W':
            return "WO";
        case 'D':
            return "DC";
        case 'J':
            return "JN";
        default:
            return "";
    }
}

std::string sheetTitleLine(int sheet, int sheetCount, const std::string& schemeTitle) {
    return "( Sheet No:" + strForm(sheet) + "/" + std::to_string(sheetCount) + " )" + " of " +
           schemeTitle;
}

std::string scaleText(double hScale, double vScale) {
    return "Scale: [H 1:" + strForm(hScale) + ", V 1:" + strForm(vScale) + "]";
}

std::string staticLevelLabel(double level) {
    return "SPL(" + formatPicture(level, "###0.0") + ")";
}

}  // namespace plovis
