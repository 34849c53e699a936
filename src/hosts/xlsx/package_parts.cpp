#include "hosts/xlsx/package_parts.h"

#include <charconv>
#include <cstring>

#include "hosts/xlsx/package_error.h"

namespace plovis::xlsx {
namespace {

std::string percentDecoded(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        unsigned value = 0;
        if (text[i] == '%' && i + 2 < text.size() &&
            std::from_chars(text.data() + i + 1, text.data() + i + 3, value, 16).ptr ==
                text.data() + i + 3) {
            out += static_cast<char>(value);
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

struct StringWriter : pugi::xml_writer {
    std::string text;
    void write(const void* data, std::size_t size) override {
        text.append(static_cast<const char*>(data), size);
    }
};

}  // namespace

bool endsWith(std::string_view text, std::string_view tail) {
    return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

std::string relationshipsPartOf(std::string_view part) {
    const std::size_t slash = part.rfind('/');
    const std::string_view folder =
        slash == std::string_view::npos ? std::string_view() : part.substr(0, slash + 1);
    const std::string_view file = part.substr(folder.size());
    return std::string(folder) + "_rels/" + std::string(file) + ".rels";
}

std::string resolveTarget(std::string_view sourcePart, std::string_view target) {
    const std::string decoded = percentDecoded(target);
    std::string path;
    if (!decoded.empty() && decoded.front() == '/') {
        path = decoded.substr(1);
    } else {
        const std::size_t slash = sourcePart.rfind('/');
        path = std::string(slash == std::string_view::npos ? std::string_view()
                                                           : sourcePart.substr(0, slash + 1)) +
               decoded;
    }
    std::vector<std::string> segments;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find('/', start);
        if (end == std::string::npos) end = path.size();
        const std::string segment = path.substr(start, end - start);
        if (segment == "..") {
            if (segments.empty()) return {};  // outside the package
            segments.pop_back();
        } else if (!segment.empty() && segment != ".") {
            segments.push_back(segment);
        }
        start = end + 1;
    }
    std::string out;
    for (const auto& s : segments)
        out += (out.empty() ? "" : "/") + s;
    return out;
}

pugi::xml_document parseXml(const std::string& xml, const std::string& part) {
    pugi::xml_document doc;
    const unsigned options = pugi::parse_default | pugi::parse_declaration | pugi::parse_ws_pcdata |
                             pugi::parse_comments | pugi::parse_pi;
    const pugi::xml_parse_result result = doc.load_buffer(xml.data(), xml.size(), options);
    if (!result) {
        throw PackageError("the part " + part + " is not well-formed XML: " + result.description() +
                           " at byte " + std::to_string(result.offset));
    }
    if (!doc.document_element()) throw PackageError("the part " + part + " holds no element");
    // The tree is written back as UTF-8 whatever the part was stored in.
    if (auto decl = doc.child("xml"); decl.type() == pugi::node_declaration) {
        if (auto encoding = decl.attribute("encoding")) encoding.set_value("UTF-8");
    }
    return doc;
}

std::string serializeXml(const pugi::xml_document& doc) {
    StringWriter writer;
    doc.save(writer, "", pugi::format_raw | pugi::format_no_declaration, pugi::encoding_utf8);
    return std::move(writer.text);
}

std::string_view localName(const char* qualified) {
    const char* colon = std::strchr(qualified, ':');
    return colon ? colon + 1 : qualified;
}

pugi::xml_node childNamed(pugi::xml_node parent, std::string_view local) {
    for (pugi::xml_node child : parent.children()) {
        if (child.type() == pugi::node_element && localName(child.name()) == local) return child;
    }
    return {};
}

pugi::xml_attribute attributeNamed(pugi::xml_node node, std::string_view local) {
    for (pugi::xml_attribute a : node.attributes()) {
        if (localName(a.name()) == local && std::strncmp(a.name(), "xmlns", 5) != 0) return a;
    }
    return {};
}

std::string prefixOf(pugi::xml_node node) {
    const std::string_view name = node.name();
    const std::size_t colon = name.find(':');
    return colon == std::string_view::npos ? "" : std::string(name.substr(0, colon + 1));
}

std::vector<Relationship> readRelationships(const std::string& xml, const std::string& relsPart,
                                            std::string_view sourcePart) {
    const pugi::xml_document doc = parseXml(xml, relsPart);
    std::vector<Relationship> out;
    for (pugi::xml_node r : doc.document_element().children()) {
        if (r.type() != pugi::node_element || localName(r.name()) != "Relationship") continue;
        Relationship rel;
        rel.id = r.attribute("Id").value();
        rel.type = r.attribute("Type").value();
        rel.external = std::string_view(r.attribute("TargetMode").value()) == "External";
        const char* target = r.attribute("Target").value();
        rel.target = rel.external ? target : resolveTarget(sourcePart, target);
        out.push_back(std::move(rel));
    }
    return out;
}

}  // namespace plovis::xlsx
