#include "hosts/xlsx/package_layout.h"

#include <algorithm>
#include <cstring>

#include "common/text.h"
#include "hosts/xlsx/package_error.h"
#include "hosts/xlsx/text_check.h"

namespace plovis::xlsx {
namespace {

const Relationship* relationshipOfType(const std::vector<Relationship>& rels,
                                       std::string_view typeTail) {
    for (const auto& r : rels) {
        if (!r.external && endsWith(r.type, typeTail)) return &r;
    }
    return nullptr;
}

std::string findWorkbookPart(ZipReader& zip) {
    if (!zip.find("[Content_Types].xml")) {
        throw PackageError(
            "it is a zip archive but not an .xlsx workbook (no [Content_Types].xml)");
    }
    if (zip.find("_rels/.rels")) {
        const auto rels = readRelationships(zip.read("_rels/.rels"), "_rels/.rels", "");
        if (const Relationship* r = relationshipOfType(rels, kOfficeDocument)) {
            if (!zip.find(r->target)) {
                throw PackageError("its main part " + r->target + " is missing");
            }
            return r->target;
        }
    }
    if (zip.find("xl/workbook.xml")) return "xl/workbook.xml";
    throw PackageError("it is a zip archive but not an .xlsx workbook (no workbook part)");
}

void readSheets(pugi::xml_node workbook, PackageLayout& layout, ZipReader& zip) {
    for (pugi::xml_node s : childNamed(workbook, "sheets").children()) {
        if (s.type() != pugi::node_element || localName(s.name()) != "sheet") continue;
        SheetEntry entry;
        entry.name = s.attribute("name").value();
        try {
            checkText(entry.name);
        } catch (const TextProblem& e) {
            throw PackageError("the name of sheet " + std::to_string(layout.sheets.size() + 1) +
                               " holds " + e.what());
        }
        layout.lastSheetId = std::max(layout.lastSheetId, s.attribute("sheetId").as_int(0));
        const std::string id = attributeNamed(s, "id").value();
        const auto rel =
            std::find_if(layout.workbookRelationships.begin(), layout.workbookRelationships.end(),
                         [&](const Relationship& r) { return r.id == id; });
        if (rel == layout.workbookRelationships.end() || rel->external || rel->target.empty()) {
            throw PackageError("the sheet \"" + entry.name + "\" has no part (relationship \"" +
                               id + "\" missing from " + relationshipsPartOf(layout.workbookPart) +
                               ")");
        }
        entry.part = rel->target;
        entry.worksheet = endsWith(rel->type, kWorksheet);
        if (entry.worksheet && !zip.find(entry.part)) {
            throw PackageError("the part " + entry.part + " of the sheet \"" + entry.name +
                               "\" is missing");
        }
        layout.sheets.push_back(std::move(entry));
    }
}

bool isTrue(pugi::xml_attribute a) {
    const std::string_view v = a.value();
    return v == "1" || v == "true";
}

}  // namespace

PackageLayout readLayout(ZipReader& zip) {
    PackageLayout layout;
    layout.workbookPart = findWorkbookPart(zip);
    const std::string relsPart = relationshipsPartOf(layout.workbookPart);
    if (zip.find(relsPart)) {
        layout.workbookRelationships =
            readRelationships(zip.read(relsPart), relsPart, layout.workbookPart);
    }
    const auto& rels = layout.workbookRelationships;
    if (const Relationship* r = relationshipOfType(rels, kSharedStrings);
        r && zip.find(r->target)) {
        layout.sharedStringsPart = r->target;
    }
    if (const Relationship* r = relationshipOfType(rels, kCalcChain)) {
        layout.calcChainPart = r->target;
    }

    const pugi::xml_document doc = parseXml(zip.read(layout.workbookPart), layout.workbookPart);
    const pugi::xml_node workbook = doc.document_element();
    if (localName(workbook.name()) != "workbook") {
        throw PackageError("it is an office document but not a workbook (its main part " +
                           layout.workbookPart + " holds <" + workbook.name() + ">)");
    }
    readSheets(workbook, layout, zip);
    // A calculation chain a sheet stands on (however odd) is not one to drop.
    for (const SheetEntry& sheet : layout.sheets) {
        if (equalsIgnoringCase(sheet.part, layout.calcChainPart)) layout.calcChainPart.clear();
    }
    const pugi::xml_node view = childNamed(childNamed(workbook, "bookViews"), "workbookView");
    const int tab = view.attribute("activeTab").as_int(0);
    layout.activeTab = tab >= 0 && tab < static_cast<int>(layout.sheets.size()) ? tab : 0;
    layout.date1904 = isTrue(childNamed(workbook, "workbookPr").attribute("date1904"));
    if (std::strcmp(childNamed(workbook, "calcPr").attribute("calcMode").value(), "manual") == 0) {
        layout.calculation = Calculation::Manual;
    }
    for (pugi::xml_node n : childNamed(workbook, "definedNames").children()) {
        if (n.type() != pugi::node_element || localName(n.name()) != "definedName") continue;
        const int sheet = n.attribute("localSheetId").as_int(-1);
        layout.names.push_back(
            {n.attribute("name").value(),
             sheet >= 0 && sheet < static_cast<int>(layout.sheets.size()) ? sheet : -1,
             n.text().get()});
    }
    return layout;
}

}  // namespace plovis::xlsx
