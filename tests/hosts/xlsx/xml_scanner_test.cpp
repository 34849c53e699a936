#include "hosts/xlsx/xml_scanner.h"

#include <gtest/gtest.h>

#include "hosts/xlsx/package_error.h"
#include "support/failure_text.h"
#include "support/golden_table.h"

namespace plovis::xlsx {
namespace {

using Token = XmlScanner::Token;

// The tokens of a document in a compact form: <name depth, </name depth, "text".
std::string tokens(std::string_view doc) {
    XmlScanner sc(doc);
    std::string out;
    for (Token t = sc.next(); t != Token::Done; t = sc.next()) {
        if (t == Token::Start)
            out += "<" + std::string(sc.name()) + std::to_string(sc.depth()) + " ";
        if (t == Token::End)
            out += "</" + std::string(sc.name()) + std::to_string(sc.depth()) + " ";
        if (t == Token::Text) {
            std::string text;
            sc.appendText(text);
            out += "\"" + text + "\" ";
        }
    }
    return out;
}

std::string failure(const std::string& doc) {
    return test::failureText<PackageError>([&] { tokens(doc); });
}

TEST(XmlScanner, TokensWithPrefixesEmptyElementsReferencesAndCData) {
    EXPECT_EQ(tokens("<?xml version=\"1.0\"?>\n<x:a xmlns:x=\"u\"><x:c r='A1'/><!-- note -->"
                     "<v>1 &lt; 2 &amp; &#65;&#x42;</v><t><![CDATA[<raw>&]]></t></x:a>"),
              "<a1 <c2 </c2 <v2 \"1 < 2 & AB\" </v2 <t2 \"<raw>&\" </t2 </a1 ");
    EXPECT_EQ(tokens("\xEF\xBB\xBF  <a/>\n "), "<a1 </a1 ");  // byte order mark, blanks
}

TEST(XmlScanner, AttributesByLocalNameWithTheirPlaceInTheDocument) {
    const std::string doc = "<c r=\"B7\" s = '3' x:t=\"n\"/>";
    XmlScanner sc(doc);
    ASSERT_EQ(sc.next(), Token::Start);
    EXPECT_TRUE(sc.selfClosing());
    EXPECT_EQ(sc.attribute("r").value_or("?"), "B7");
    EXPECT_EQ(sc.attribute("s").value_or("?"), "3");
    EXPECT_EQ(sc.attribute("t").value_or("?"), "n");
    EXPECT_FALSE(sc.attribute("x").has_value());
    EXPECT_EQ(sc.offsetOf(*sc.attribute("r")), 6u);  // just inside the quote
    EXPECT_EQ(sc.tokenBegin(), 0u);
    EXPECT_EQ(sc.tokenEnd(), doc.size());
    ASSERT_EQ(sc.next(), Token::End);
    EXPECT_EQ(sc.tokenBegin(), doc.size());
    EXPECT_EQ(sc.next(), Token::Done);
}

TEST(XmlScanner, ReadTextAndSkipElement) {
    XmlScanner sc("<r><v>4<b>x</b>2</v><f><g/><h>y</h></f><w/></r>");
    sc.next();
    sc.next();
    EXPECT_EQ(sc.readText(), "42");
    sc.next();
    sc.skipElement();
    ASSERT_EQ(sc.next(), Token::Start);
    EXPECT_EQ(sc.name(), "w");
}

TEST(XmlScanner, SkipKnownElementJumpsToTheEndTagOrReadsWhenSomethingCouldHideIt) {
    for (const char* doc :
         {"<d><row><c>1</c></row ><row/></d>", "<d><row><!-- </row> --><c/></row><row/></d>",
          "<d><row><row></row></row><row/></d>"}) {
        XmlScanner sc(doc);
        sc.next();
        sc.next();
        sc.skipKnownElement();
        EXPECT_EQ(sc.depth(), 2) << doc;
        ASSERT_EQ(sc.next(), Token::Start) << doc;
        EXPECT_TRUE(sc.selfClosing()) << doc;
    }
}

TEST(XmlScanner, MalformedDocumentsNameWhatAndWhere) {
    test::expectGoldenTable("hosts/xlsx", "malformed_xml", failure);
}

}  // namespace
}  // namespace plovis::xlsx
