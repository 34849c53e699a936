#include "hosts/xlsx/package_edits.h"

#include <algorithm>
#include <set>

#include "common/text.h"
#include "hosts/xlsx/package_error.h"
#include "hosts/xlsx/xml_characters.h"

namespace plovis::xlsx {
namespace {

// The elements of a workbook part that come before calcPr, in the order the schema requires.
constexpr std::string_view kBeforeCalcPr[] = {
    "fileVersion", "fileSharing",    "workbookPr",         "workbookProtection", "bookViews",
    "sheets",      "functionGroups", "externalReferences", "definedNames"};

bool comesBeforeCalcPr(std::string_view local) {
    for (std::string_view n : kBeforeCalcPr) {
        if (n == local) return true;
    }
    return false;
}

pugi::xml_node calcPrOf(pugi::xml_node workbook) {
    if (pugi::xml_node calcPr = childNamed(workbook, "calcPr")) return calcPr;
    pugi::xml_node after;
    for (pugi::xml_node child : workbook.children()) {
        if (child.type() == pugi::node_element && comesBeforeCalcPr(localName(child.name()))) {
            after = child;
        }
    }
    const std::string name = prefixOf(workbook) + "calcPr";
    return after ? workbook.insert_child_after(name.c_str(), after)
                 : workbook.prepend_child(name.c_str());
}

bool isPrefixName(std::string_view n) {
    const auto letter = [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
    };
    return !n.empty() && letter(n.front()) && std::all_of(n.begin(), n.end(), [&](char c) {
        return letter(c) || (c >= '0' && c <= '9') || c == '-' || c == '.';
    });
}

// The prefix bound to the relationships namespace on the workbook element, or "" when none is.
std::string relationshipsPrefix(pugi::xml_node workbook) {
    for (pugi::xml_attribute a : workbook.attributes()) {
        const std::string_view n = a.name(), v = a.value();
        if (n.substr(0, 6) == "xmlns:" && isPrefixName(n.substr(6)) &&
            endsWith(v, "/relationships")) {
            return std::string(n.substr(6)) + ":";
        }
    }
    return "";
}

void appendSheets(pugi::xml_node workbook, const std::vector<NewSheetPart>& added) {
    if (added.empty()) return;
    pugi::xml_node sheets = childNamed(workbook, "sheets");
    if (!sheets) throw PackageError("the workbook part has no list of sheets");
    std::string r = relationshipsPrefix(workbook);
    for (const NewSheetPart& s : added) {
        pugi::xml_node sheet = sheets.append_child((prefixOf(workbook) + "sheet").c_str());
        sheet.append_attribute("name") = s.name.c_str();
        sheet.append_attribute("sheetId") = s.sheetId;
        if (r.empty()) {
            sheet.append_attribute("xmlns:r") = kRelationshipsNamespace;
            sheet.append_attribute("r:id") = s.relationshipId.c_str();
        } else {
            sheet.append_attribute((r + "id").c_str()) = s.relationshipId.c_str();
        }
    }
}

bool samePart(std::string_view partName, std::string_view part) {
    if (!partName.empty() && partName.front() == '/') partName.remove_prefix(1);
    return equalsIgnoringCase(partName, part);
}

}  // namespace

std::vector<NewSheetPart> planNewSheets(const std::vector<std::string>& names,
                                        const PackageLayout& layout, const ZipReader& zip) {
    std::set<std::string> ids;
    for (const auto& r : layout.workbookRelationships)
        ids.insert(r.id);
    std::vector<NewSheetPart> out;
    int sheetId = layout.lastSheetId, part = 0, rel = 0;
    for (const std::string& name : names) {
        if (const auto bad = forbiddenInXml(name))
            throw PackageError("the new sheet name \"" + name + "\" holds " + describe(*bad));
        NewSheetPart p{name, {}, {}, ++sheetId};
        do {
            p.part = "xl/worksheets/sheet" + std::to_string(++part) + ".xml";
        } while (zip.find(p.part) || std::any_of(out.begin(), out.end(),
                                                 [&](const auto& o) { return o.part == p.part; }));
        do {
            p.relationshipId = "rId" + std::to_string(++rel);
        } while (ids.count(p.relationshipId));
        ids.insert(p.relationshipId);
        out.push_back(std::move(p));
    }
    return out;
}

namespace {

// Sets the attribute, adding it when the element has none.
void setAttribute(pugi::xml_node node, const char* name, const char* value) {
    if (pugi::xml_attribute a = node.attribute(name)) {
        a.set_value(value);
    } else {
        node.append_attribute(name) = value;
    }
}

}  // namespace

std::string editWorkbookPart(const std::string& xml, const PackageLayout& layout,
                             const std::vector<NewSheetPart>& added, Calculation calculation) {
    pugi::xml_document doc = parseXml(xml, layout.workbookPart);
    const pugi::xml_node workbook = doc.document_element();
    pugi::xml_node calcPr = calcPrOf(workbook);
    setAttribute(calcPr, "fullCalcOnLoad", "1");
    // The mode the workbook is left in: a command switches it back to automatic when it ends.
    if (calculation == Calculation::Manual) {
        setAttribute(calcPr, "calcMode", "manual");
    } else {
        calcPr.remove_attribute("calcMode");
    }
    appendSheets(workbook, added);
    return serializeXml(doc);
}

std::string editWorkbookRelationships(const std::string& xml, const PackageLayout& layout,
                                      const std::vector<NewSheetPart>& added) {
    const std::string part = relationshipsPartOf(layout.workbookPart);
    pugi::xml_document doc = parseXml(
        xml.empty() ? "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
                      "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/"
                      "relationships\"/>"
                    : xml,
        part);
    pugi::xml_node root = doc.document_element();
    for (pugi::xml_node r = root.first_child(); r;) {
        const pugi::xml_node next = r.next_sibling();
        if (!layout.calcChainPart.empty() && endsWith(r.attribute("Type").value(), kCalcChain) &&
            samePart(resolveTarget(layout.workbookPart, r.attribute("Target").value()),
                     layout.calcChainPart)) {
            root.remove_child(r);
        }
        r = next;
    }
    for (const NewSheetPart& s : added) {
        pugi::xml_node r = root.append_child((prefixOf(root) + "Relationship").c_str());
        r.append_attribute("Id") = s.relationshipId.c_str();
        r.append_attribute("Type") = kWorksheetRelationship;
        r.append_attribute("Target") = ("/" + s.part).c_str();
    }
    return serializeXml(doc);
}

std::string editContentTypes(const std::string& xml, const PackageLayout& layout,
                             const std::vector<NewSheetPart>& added) {
    pugi::xml_document doc = parseXml(xml, "[Content_Types].xml");
    pugi::xml_node root = doc.document_element();
    for (pugi::xml_node o = root.first_child(); o;) {
        const pugi::xml_node next = o.next_sibling();
        if (!layout.calcChainPart.empty() && localName(o.name()) == "Override" &&
            samePart(o.attribute("PartName").value(), layout.calcChainPart)) {
            root.remove_child(o);
        }
        o = next;
    }
    for (const NewSheetPart& s : added) {
        pugi::xml_node o = root.append_child((prefixOf(root) + "Override").c_str());
        o.append_attribute("PartName") = ("/" + s.part).c_str();
        o.append_attribute("ContentType") = kWorksheetContentType;
    }
    return serializeXml(doc);
}

}  // namespace plovis::xlsx
