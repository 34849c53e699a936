#pragma once
// The small XML parts of a package (relationships, content types, the workbook part), read and
// edited as pugixml trees, and the rules for naming parts.

#include <pugixml.hpp>
#include <string>
#include <string_view>
#include <vector>

namespace plovis::xlsx {

// Relationship types and content types, known by the end of their URI so that the transitional
// and the strict form of the standard both match.
inline constexpr std::string_view kOfficeDocument = "/officeDocument";
inline constexpr std::string_view kWorksheet = "/worksheet";
inline constexpr std::string_view kSharedStrings = "/sharedStrings";
inline constexpr std::string_view kCalcChain = "/calcChain";
inline constexpr const char* kRelationshipsNamespace =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
inline constexpr const char* kWorksheetRelationship =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet";
inline constexpr const char* kWorksheetContentType =
    "application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml";

struct Relationship {
    std::string id;
    std::string type;
    std::string target;  // resolved to a part name ("xl/worksheets/sheet1.xml")
    bool external = false;
};

// The relationships part of a part: "xl/workbook.xml" -> "xl/_rels/workbook.xml.rels"; the
// package's own ("") -> "_rels/.rels".
std::string relationshipsPartOf(std::string_view part);
// A relationship target as a part name, relative to the part holding the relationship ("../x",
// "/xl/x" and "%20" resolved); empty for a target leaving the package.
std::string resolveTarget(std::string_view sourcePart, std::string_view target);
bool endsWith(std::string_view text, std::string_view tail);

// Parses a small part. Throws PackageError naming the part when it is not well-formed.
pugi::xml_document parseXml(const std::string& xml, const std::string& part);
// The tree as text: its own declaration kept, no other formatting added.
std::string serializeXml(const pugi::xml_document& doc);

// Element names compared without their namespace prefix.
std::string_view localName(const char* qualified);
pugi::xml_node childNamed(pugi::xml_node parent, std::string_view local);
pugi::xml_attribute attributeNamed(pugi::xml_node node, std::string_view local);
// The prefix of an element's name including its colon ("x:" or "").
std::string prefixOf(pugi::xml_node node);

// The relationships of the part held in a .rels document. Throws PackageError.
std::vector<Relationship> readRelationships(const std::string& xml, const std::string& relsPart,
                                            std::string_view sourcePart);

}  // namespace plovis::xlsx
