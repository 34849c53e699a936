#include "hosts/xlsx/shared_strings.h"

#include <limits>

#include "hosts/xlsx/package_error.h"
#include "hosts/xlsx/text_check.h"
#include "hosts/xlsx/xml_scanner.h"
#include "hosts/xlsx/xml_text.h"

namespace plovis::xlsx {

std::string readStringItem(XmlScanner& sc) {
    const int item = sc.depth();
    std::string text;
    for (;;) {
        const XmlScanner::Token t = sc.next();
        if (t == XmlScanner::Token::End && sc.depth() == item) break;
        if (t != XmlScanner::Token::Start) continue;
        if (sc.name() == "t") {
            text += sc.readText();
        } else if (sc.name() != "r") {
            sc.skipElement();  // phonetic runs and properties are not part of the text
        }
    }
    // Checked as the XML holds it: control characters a spreadsheet program stored as _x0001_
    // are its own escapes, not characters of the XML.
    checkText(text);
    return decodeCellTextEscapes(std::move(text));
}

SharedStrings::SharedStrings(std::string xml) : xml_(std::move(xml)) {
    // Offsets are kept in 32 bits: a package never inflates a part beyond that.
    if (xml_.size() > std::numeric_limits<std::uint32_t>::max()) {
        throw PackageError("the shared strings are larger than a workbook can hold");
    }
    XmlScanner sc(xml_);
    for (XmlScanner::Token t = sc.next(); t != XmlScanner::Token::Done; t = sc.next()) {
        if (t == XmlScanner::Token::Start && sc.depth() == 2 && sc.name() == "si") {
            const auto begin = static_cast<std::uint32_t>(sc.tokenBegin());
            sc.skipElement();
            items_.emplace_back(begin, static_cast<std::uint32_t>(sc.tokenEnd()));
        }
    }
}

std::string SharedStrings::text(std::size_t i) const {
    const auto [begin, end] = items_.at(i);
    XmlScanner sc(std::string_view(xml_).substr(begin, end - begin));
    sc.next();  // the item's Start, checked well-formed when the table was read
    return readStringItem(sc);
}

}  // namespace plovis::xlsx
