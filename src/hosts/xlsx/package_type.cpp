#include "hosts/xlsx/package_type.h"

#include <cstring>

#include "common/text.h"
#include "hosts/xlsx/package_error.h"

namespace plovis::xlsx {

bool holdsMacros(ZipReader& zip, const PackageLayout& layout) {
    const pugi::xml_document doc = parseXml(zip.read("[Content_Types].xml"), "[Content_Types].xml");
    const std::string partName = "/" + layout.workbookPart;
    for (pugi::xml_node n : doc.document_element().children()) {
        if (localName(n.name()) != "Override") continue;
        if (!equalsIgnoringCase(n.attribute("PartName").value(), partName)) continue;
        return std::strstr(n.attribute("ContentType").value(), ".macroEnabled.") != nullptr;
    }
    return false;
}

void checkWorkbookKind(const std::filesystem::path& file, bool macros) {
    const std::string extension = upperCase(file.extension().string());
    if (macros && extension == ".XLSX") {
        throw PackageError(
            "the workbook holds macros, which an .xlsx file cannot keep; save it as .xlsm");
    }
    if (!macros && extension == ".XLSM") {
        throw PackageError(
            "the workbook holds no macros, and spreadsheet programs refuse an .xlsm file "
            "without them; save it as .xlsx");
    }
}

}  // namespace plovis::xlsx
