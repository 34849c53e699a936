#include "hosts/xlsx/shared_strings.h"

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
    return decodeCellTextEscapes(std::move(text));
}

std::vector<std::string> readSharedStrings(std::string_view xml) {
    XmlScanner sc(xml);
    std::vector<std::string> items;
    for (XmlScanner::Token t = sc.next(); t != XmlScanner::Token::Done; t = sc.next()) {
        if (t == XmlScanner::Token::Start && sc.depth() == 2 && sc.name() == "si") {
            items.push_back(readStringItem(sc));
        }
    }
    return items;
}

}  // namespace plovis::xlsx
