#pragma once
// Text inside workbook XML: character references, escaping for output, and the _xHHHH_ escapes
// spreadsheet programs use for characters XML cannot carry (a carriage return in a cell's text
// is stored as "_x000D_", because XML readers turn a raw one into a line feed).

#include <string>
#include <string_view>

namespace plovis::xlsx {

// Appends the text with its references (&amp; &lt; &gt; &quot; &apos; &#N; &#xH;) replaced by
// the characters they stand for. Returns false for an unknown or malformed reference.
bool appendDecoded(std::string_view raw, std::string& out);

// The text of an attribute or element as it stands in the document: raw itself when it holds no
// reference, otherwise decoded into scratch. Throws PackageError for a malformed reference.
std::string_view decodedText(std::string_view raw, std::string& scratch);

// Appends text escaped for element content or a double-quoted attribute value. Throws
// PackageError for text holding a character no part may hold (see forbiddenInXml).
void appendEscaped(std::string_view text, std::string& out);

// Replaces the _xHHHH_ escapes of a cell's stored text by the characters they stand for.
std::string decodeCellTextEscapes(std::string text);

// The cell text as it is stored: control characters XML cannot carry, U+FFFE and U+FFFF, and
// carriage returns, as _xHHHH_, and an underscore that would start such an escape as _x005F_.
std::string encodeCellTextEscapes(std::string_view text);

}  // namespace plovis::xlsx
