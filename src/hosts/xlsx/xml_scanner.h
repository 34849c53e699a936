#pragma once
// A pull reader over one XML document held in memory, for the large parts of a workbook (its
// sheets and shared strings) where building a tree would cost more than the cells themselves.
// It checks that what it reads is well-formed: tags nest and close, attribute values are quoted,
// there is one root element. Document type declarations are refused: workbook parts never have
// one, and entity expansion is how an XML bomb works. Element names are given without their
// namespace prefix, so "x:c" in a document that binds the prefix is read as "c".

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace plovis::xlsx {

class XmlScanner {
  public:
    enum class Token { Start, End, Text, Done };
    struct Attribute {
        std::string_view name;   // as written, prefix included
        std::string_view value;  // raw (references not decoded), a view into the document
    };

    explicit XmlScanner(std::string_view document);

    // The next token. An empty element (<c r="A1"/>) gives a Start and then an End. Comments,
    // processing instructions and whitespace outside the root are skipped. Throws PackageError
    // naming the line and column of what is malformed.
    Token next();

    // For Start and End: the element's name without prefix, and as written.
    std::string_view name() const { return localName_; }
    std::string_view qualifiedName() const { return qualifiedName_; }
    // For Start and End: how deep the element lies (the root is 1). For Text: its element's depth.
    int depth() const { return level_; }
    // For Start: whether it was written as an empty element (<c/>).
    bool selfClosing() const { return selfClosing_; }
    // For Start: the attributes in document order; one looked up by its name without prefix.
    const std::vector<Attribute>& attributes() const { return attributes_; }
    std::optional<std::string_view> attribute(std::string_view localName) const;
    // For Text: appends the text with its references decoded. Throws PackageError.
    void appendText(std::string& out) const;

    // Where the current token starts and ends in the document (byte offsets; the End of an empty
    // element is empty and sits at the end of its tag).
    std::size_t tokenBegin() const { return begin_; }
    std::size_t tokenEnd() const { return pos_; }
    // The offset of a view into the document (an attribute's name or value).
    std::size_t offsetOf(std::string_view piece) const {
        return static_cast<std::size_t>(piece.data() - doc_.data());
    }

    // After a Start: reads to the element's End, returning the text directly inside it (child
    // elements skipped).
    std::string readText();
    // After a Start: reads to the element's End.
    void skipElement();
    // After a Start: moves to the element's End by searching for its end tag, where nothing in
    // between could hide one (a comment, a CDATA section, an element of the same name); otherwise
    // as skipElement(). What lies between is not checked: for documents read whole before, such
    // as a sheet being saved, whose untouched rows are passed over this way.
    void skipKnownElement();

  private:
    [[noreturn]] void fail(std::size_t at, const std::string& what) const;
    Token startTag();
    Token endTag();
    bool skipMarkup();  // comment, processing instruction; false when not one of them
    std::size_t nameEnd(std::size_t from) const;
    void setName(std::string_view qualified);

    std::string_view doc_;
    std::size_t pos_ = 0;
    std::size_t begin_ = 0;
    std::vector<std::string_view> open_;  // qualified names of the open elements
    std::vector<Attribute> attributes_;
    std::string_view qualifiedName_, localName_, text_;
    int level_ = 0;
    bool selfClosing_ = false;
    bool pendingEnd_ = false;  // the End of an empty element comes next
    bool cdata_ = false;
    bool rootSeen_ = false;
};

}  // namespace plovis::xlsx
