#include "hosts/xlsx/xml_scanner.h"

#include <algorithm>
#include <cstring>

#include "hosts/xlsx/package_error.h"
#include "hosts/xlsx/xml_text.h"

namespace plovis::xlsx {
namespace {

bool isSpace(char c) {
    return c == ' ' || c == '\n' || c == '\r' || c == '\t';
}

// Which bytes may stand in a name (letters, digits, _ : - . and every byte of a non-ASCII
// character): looked up, since every tag's name is read byte by byte.
struct NameChars {
    bool table[256] = {};
    constexpr NameChars() {
        for (int c = 0; c < 256; ++c) {
            table[c] = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                       c == '_' || c == ':' || c == '-' || c == '.' || c >= 0x80;
        }
    }
};
constexpr NameChars kNameChars;

bool isNameChar(char c) {
    return kNameChars.table[static_cast<unsigned char>(c)];
}

bool isNameStart(char c) {
    return isNameChar(c) && !(c >= '0' && c <= '9') && c != '-' && c != '.';
}

bool startsWith(std::string_view text, std::size_t at, std::string_view prefix) {
    return text.substr(at, prefix.size()) == prefix;
}

}  // namespace

XmlScanner::XmlScanner(std::string_view document) : doc_(document) {
    if (startsWith(doc_, 0, "\xEF\xBB\xBF")) pos_ = 3;  // a UTF-8 byte order mark
}

void XmlScanner::fail(std::size_t at, const std::string& what) const {
    at = std::min(at, doc_.size());
    const auto line = 1 + std::count(doc_.begin(), doc_.begin() + at, '\n');
    const std::size_t lineStart = doc_.rfind('\n', at == 0 ? 0 : at - 1);
    const std::size_t column =
        lineStart == std::string_view::npos || at == 0 ? at + 1 : at - lineStart;
    throw PackageError("not well-formed XML at line " + std::to_string(line) + ", column " +
                       std::to_string(column) + ": " + what);
}

std::size_t XmlScanner::nameEnd(std::size_t from) const {
    if (from >= doc_.size() || !isNameStart(doc_[from])) fail(from, "a name is expected");
    std::size_t i = from + 1;
    while (i < doc_.size() && isNameChar(doc_[i]))
        ++i;
    return i;
}

void XmlScanner::setName(std::string_view qualified) {
    qualifiedName_ = qualified;
    const std::size_t colon = qualified.find(':');
    localName_ = colon == std::string_view::npos ? qualified : qualified.substr(colon + 1);
}

std::optional<std::string_view> XmlScanner::attribute(std::string_view localName) const {
    for (const Attribute& a : attributes_) {
        std::string_view n = a.name;
        if (n.size() > localName.size() && n[n.size() - localName.size() - 1] == ':') {
            n.remove_prefix(n.size() - localName.size());
        }
        if (n == localName) return a.value;
    }
    return std::nullopt;
}

void XmlScanner::appendText(std::string& out) const {
    if (cdata_) {
        out.append(text_);
    } else if (!appendDecoded(text_, out)) {
        fail(begin_, "a malformed character or entity reference");
    }
}

bool XmlScanner::skipMarkup() {
    std::string_view close;
    if (startsWith(doc_, pos_, "<!--")) {
        close = "-->";
    } else if (startsWith(doc_, pos_, "<?")) {
        close = "?>";
    } else if (startsWith(doc_, pos_, "<!DOCTYPE")) {
        fail(pos_, "a document type declaration, which workbook parts never have");
    } else {
        return false;
    }
    const std::size_t end = doc_.find(close, pos_ + 2);
    if (end == std::string_view::npos) fail(pos_, "a comment or instruction is not closed");
    pos_ = end + close.size();
    return true;
}

XmlScanner::Token XmlScanner::startTag() {
    const std::size_t nameStart = pos_ + 1;
    std::size_t i = nameEnd(nameStart);
    setName(doc_.substr(nameStart, i - nameStart));
    attributes_.clear();
    for (;;) {
        const std::size_t before = i;
        while (i < doc_.size() && isSpace(doc_[i]))
            ++i;
        if (i >= doc_.size())
            fail(begin_, "the tag <" + std::string(qualifiedName_) + "> is not closed");
        if (doc_[i] == '>' || (doc_[i] == '/' && i + 1 < doc_.size() && doc_[i + 1] == '>')) break;
        if (i == before) fail(i, "a blank is missing before an attribute");
        const std::size_t attrEnd = nameEnd(i);
        const std::string_view attrName = doc_.substr(i, attrEnd - i);
        i = attrEnd;
        while (i < doc_.size() && isSpace(doc_[i]))
            ++i;
        if (i >= doc_.size() || doc_[i] != '=') fail(i, "\"=\" is missing after an attribute");
        ++i;
        while (i < doc_.size() && isSpace(doc_[i]))
            ++i;
        if (i >= doc_.size() || (doc_[i] != '"' && doc_[i] != '\'')) {
            fail(i, "an attribute value is not quoted");
        }
        const std::size_t close = doc_.find(doc_[i], i + 1);
        if (close == std::string_view::npos) fail(i, "an attribute value is not closed");
        const std::string_view value = doc_.substr(i + 1, close - i - 1);
        if (value.find('<') != std::string_view::npos) fail(i, "\"<\" inside an attribute value");
        attributes_.push_back({attrName, value});
        i = close + 1;
    }
    selfClosing_ = doc_[i] == '/';
    pos_ = i + (selfClosing_ ? 2 : 1);
    if (open_.empty() && rootSeen_) fail(begin_, "a second root element");
    rootSeen_ = true;
    open_.push_back(qualifiedName_);
    level_ = static_cast<int>(open_.size());
    pendingEnd_ = selfClosing_;
    return Token::Start;
}

XmlScanner::Token XmlScanner::endTag() {
    const std::size_t nameStart = pos_ + 2;
    std::size_t i = nameEnd(nameStart);
    const std::string_view name = doc_.substr(nameStart, i - nameStart);
    while (i < doc_.size() && isSpace(doc_[i]))
        ++i;
    if (i >= doc_.size() || doc_[i] != '>') fail(begin_, "an end tag is not closed");
    if (open_.empty() || open_.back() != name) {
        fail(begin_, "</" + std::string(name) + "> does not close the open element" +
                         (open_.empty() ? "" : " <" + std::string(open_.back()) + ">"));
    }
    setName(name);
    level_ = static_cast<int>(open_.size());
    open_.pop_back();
    pos_ = i + 1;
    return Token::End;
}

XmlScanner::Token XmlScanner::next() {
    selfClosing_ = false;
    cdata_ = false;
    if (pendingEnd_) {
        pendingEnd_ = false;
        begin_ = pos_;
        level_ = static_cast<int>(open_.size());
        open_.pop_back();
        return Token::End;
    }
    for (;;) {
        begin_ = pos_;
        if (pos_ >= doc_.size()) {
            if (!open_.empty())
                fail(pos_, "the document ends inside <" + std::string(open_.back()) + ">");
            if (!rootSeen_) fail(pos_, "the document holds no element");
            return Token::Done;
        }
        if (doc_[pos_] != '<') {
            const void* lt = std::memchr(doc_.data() + pos_, '<', doc_.size() - pos_);
            const std::size_t end =
                lt ? static_cast<std::size_t>(static_cast<const char*>(lt) - doc_.data())
                   : doc_.size();
            text_ = doc_.substr(pos_, end - pos_);
            pos_ = end;
            if (!open_.empty()) {
                level_ = static_cast<int>(open_.size());
                return Token::Text;
            }
            if (!std::all_of(text_.begin(), text_.end(), isSpace)) {
                fail(begin_, "text outside the root element");
            }
            continue;
        }
        const char after = pos_ + 1 < doc_.size() ? doc_[pos_ + 1] : '\0';
        if (after == '/') return endTag();
        if (after != '!' && after != '?') return startTag();
        if (startsWith(doc_, pos_, "<![CDATA[")) {
            if (open_.empty()) fail(pos_, "a CDATA section outside the root element");
            const std::size_t end = doc_.find("]]>", pos_ + 9);
            if (end == std::string_view::npos) fail(pos_, "a CDATA section is not closed");
            text_ = doc_.substr(pos_ + 9, end - pos_ - 9);
            pos_ = end + 3;
            cdata_ = true;
            level_ = static_cast<int>(open_.size());
            return Token::Text;
        }
        if (skipMarkup()) continue;
        return startTag();
    }
}

std::string XmlScanner::readText() {
    std::string out;
    const int level = level_;
    for (;;) {
        const Token t = next();
        if (t == Token::End && level_ == level) return out;
        if (t == Token::Text && level_ == level) appendText(out);
    }
}

void XmlScanner::skipKnownElement() {
    if (selfClosing_) {
        next();
        return;
    }
    const std::string close = "</" + std::string(qualifiedName_);
    const std::string open = "<" + std::string(qualifiedName_);
    const char* from = doc_.data() + pos_;
    const auto* end =
        static_cast<const char*>(::memmem(from, doc_.size() - pos_, close.data(), close.size()));
    const std::size_t at = end ? static_cast<std::size_t>(end - doc_.data()) : doc_.size();
    const std::size_t after = at + close.size();
    if (end && after < doc_.size() && (doc_[after] == '>' || isSpace(doc_[after])) &&
        !::memmem(from, at - pos_, "<!", 2) &&
        !::memmem(from, at - pos_, open.data(), open.size())) {
        pos_ = at;
        begin_ = at;
        endTag();
        return;
    }
    skipElement();
}

void XmlScanner::skipElement() {
    const int level = level_;
    while (!(next() == Token::End && level_ == level)) {
    }
}

}  // namespace plovis::xlsx
