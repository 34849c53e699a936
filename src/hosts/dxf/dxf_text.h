#pragma once
// Texts as DXF files carry them. An R2000 file is in the drawing's code page, which ours declare
// as Windows-1252: characters of that code page are written as its bytes, others as \U+XXXX
// (the escape CAD programs read in every DXF version), and a line break or other control
// character, which a DXF value cannot hold, becomes a blank. Files from R2007 on are UTF-8.

#include <string>
#include <string_view>

namespace plovis {

// UTF-8 text to a value of an R2000 file. A byte that is not part of valid UTF-8, and a
// character beyond U+FFFF, becomes '?'.
std::string encodeDxfText(std::string_view utf8);

// A DXF value to UTF-8: \U+XXXX escapes decoded; other bytes above 127 read as Windows-1252, or
// as UTF-8 when utf8File (invalid sequences become U+FFFD).
std::string decodeDxfText(std::string_view value, bool utf8File);

// True when the text needs no encoding (printable ASCII only).
bool plainDxfText(std::string_view text);

}  // namespace plovis
