#include "hosts/dxf/dxf_scan.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <span>

#include "hosts/dxf/dxf_text.h"
#include "hosts/host_error.h"

namespace plovis::dxf {
namespace {

constexpr std::size_t kLongestLine = 1000;  // dxflib reads lines of up to 1024 characters
constexpr long long kMostVertices = 1'000'000;
constexpr std::string_view kSupported[] = {"LINE",       "CIRCLE",   "ARC",    "TEXT",
                                           "LWPOLYLINE", "POLYLINE", "INSERT", "ATTDEF"};
constexpr std::string_view kTableRecords[] = {"VPORT", "LTYPE", "LAYER",    "STYLE",       "VIEW",
                                              "UCS",   "APPID", "DIMSTYLE", "BLOCK_RECORD"};

enum class ValueType { Invalid, Text, Real, Integer };

// The kind of value a group code carries, from the DXF reference's ranges.
ValueType valueTypeOf(int code) {
    if (code < 0) return ValueType::Invalid;
    if (code <= 9) return ValueType::Text;
    if (code <= 59) return ValueType::Real;
    if (code <= 99) return code >= 80 && code < 90 ? ValueType::Invalid : ValueType::Integer;
    if (code <= 109) return ValueType::Text;
    if (code <= 149) return ValueType::Real;
    if (code <= 179) return code < 160 ? ValueType::Invalid : ValueType::Integer;
    if (code <= 209) return ValueType::Invalid;
    if (code <= 239) return ValueType::Real;
    if (code <= 269) return ValueType::Invalid;
    if (code <= 299) return ValueType::Integer;
    if (code <= 369) return ValueType::Text;
    if (code <= 389) return ValueType::Integer;
    if (code <= 399) return ValueType::Text;
    if (code <= 409) return ValueType::Integer;
    if (code <= 419) return ValueType::Text;
    if (code <= 429) return ValueType::Integer;
    if (code <= 439) return ValueType::Text;
    if (code <= 459) return ValueType::Integer;
    if (code <= 469) return ValueType::Real;
    if (code <= 481) return ValueType::Text;
    if (code == 999) return ValueType::Text;
    if (code >= 1000 && code <= 1009) return ValueType::Text;
    if (code >= 1010 && code <= 1059) return ValueType::Real;
    if (code >= 1060 && code <= 1071) return ValueType::Integer;
    return ValueType::Invalid;
}

std::string_view trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

// A number filling the whole value (blanks around it and a leading '+' allowed).
template <class Number>
bool parseNumber(std::string_view text, Number& value) {
    std::string_view s = trim(text);
    if (!s.empty() && s.front() == '+') s.remove_prefix(1);
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    return !s.empty() && ec == std::errc() && end == s.data() + s.size();
}

bool contains(std::span<const std::string_view> list, std::string_view value) {
    return std::find(list.begin(), list.end(), value) != list.end();
}

struct Tag {
    int code = 0;
    std::string_view value;
    int line = 0;           // of the group code
    std::size_t start = 0;  // byte offset of the group code
};

// Splits the contents into groups: a code line and a value line each.
class TagReader {
  public:
    TagReader(std::string_view contents, const std::string& source)
        : contents_(contents), source_(source) {}

    bool next(Tag& tag) {
        tag.start = pos_;
        std::string_view codeLine;
        if (!readLine(codeLine)) return false;
        tag.line = line_;
        const std::string_view digits = trim(codeLine);
        const auto [end, ec] =
            std::from_chars(digits.data(), digits.data() + digits.size(), tag.code);
        if (digits.empty() || ec != std::errc() || end != digits.data() + digits.size()) {
            fail(line_, "\"" + std::string(digits.substr(0, 40)) + "\" is not a group code");
        }
        if (valueTypeOf(tag.code) == ValueType::Invalid) {
            fail(line_, "there is no group code " + std::to_string(tag.code));
        }
        if (!readLine(tag.value)) {
            fail(tag.line, "the file ends after group code " + std::to_string(tag.code) +
                               ", before its value (it may be cut off)");
        }
        return true;
    }

    std::size_t offset() const { return pos_; }
    int line() const { return line_; }

    [[noreturn]] void fail(int line, const std::string& what) const {
        throw HostError(source_ + ", line " + std::to_string(line) + ": " + what);
    }

  private:
    bool readLine(std::string_view& line) {
        if (pos_ >= contents_.size()) return false;
        std::size_t end = contents_.find('\n', pos_);
        if (end == std::string_view::npos) end = contents_.size();
        line = contents_.substr(pos_, end - pos_);
        pos_ = end + 1;
        ++line_;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.size() > kLongestLine) fail(line_, "the line is longer than 1000 characters");
        return true;
    }

    std::string_view contents_;
    const std::string& source_;
    std::size_t pos_ = 0;
    int line_ = 0;
};

class Scanner {
  public:
    Scanner(std::string_view contents, const std::string& source)
        : contents_(contents), reader_(contents, source) {}

    ScanResult run();

  private:
    enum class Sequence { None, Vertices, Attributes };
    struct Current {
        std::string_view type;
        int line = 0;
        long long vertexCount = -1;  // LWPOLYLINE: the count its 90 declares
        long long verticesSeen = 0;
        bool attributesFollow = false;  // INSERT: 66 = 1
        int attdef = -1;
    };

    void section(const Tag& start);
    void header(const Tag& t);
    void tables(const Tag& t);
    void blocks(const Tag& t);
    void startEntity(const Tag& t);
    void entityValue(const Tag& t);
    void attdefValue(const Tag& t, AttdefData& a);
    void finishEntity();
    void closeStructures(int line);
    Container& container();
    double real(const Tag& t) const;
    long long integer(const Tag& t) const;
    void checkValue(const Tag& t) const;
    std::string text(std::string_view value) const { return decodeDxfText(value, result_.utf8); }

    std::string_view contents_;
    TagReader reader_;
    ScanResult result_;
    std::string_view section_;
    std::string_view headerVariable_;
    bool tableOpen_ = false;
    bool awaitingTableName_ = false;
    bool blockOpen_ = false;
    bool inBlockHeader_ = false;
    bool inModelSpace_ = false;
    Sequence sequence_ = Sequence::None;
    Current sequenceOwner_;
    Current current_;
};

ScanResult Scanner::run() {
    if (contents_.starts_with("AutoCAD Binary DXF")) {
        reader_.fail(1, "binary DXF files cannot be read; save the drawing as ASCII DXF");
    }
    if (const std::size_t nul = contents_.find('\0'); nul != std::string_view::npos) {
        const auto line = std::count(contents_.begin(), contents_.begin() + nul, '\n') + 1;
        reader_.fail(static_cast<int>(line), "the file holds a NUL byte: it is not a DXF file");
    }
    Tag t;
    while (reader_.next(t)) {
        if (t.code == 999) continue;
        if (t.code == 0 && t.value == "EOF") return std::move(result_);
        if (t.code != 0 || t.value != "SECTION") {
            reader_.fail(t.line, "expected a SECTION, found group " + std::to_string(t.code) +
                                     " \"" + std::string(t.value.substr(0, 40)) + "\"");
        }
        section(t);
    }
    reader_.fail(std::max(reader_.line(), 1),
                 contents_.empty() ? "the file is empty"
                                   : "the file ends without its EOF marker (it may be cut off)");
}

void Scanner::section(const Tag& start) {
    Tag name;
    if (!reader_.next(name) || name.code != 2)
        reader_.fail(start.line, "a SECTION without its name");
    section_ = name.value;
    const bool read = section_ == "TABLES" || section_ == "BLOCKS" || section_ == "ENTITIES";
    inModelSpace_ = section_ == "ENTITIES";
    Tag t;
    while (true) {
        if (!reader_.next(t)) {
            reader_.fail(start.line,
                         "the " + std::string(section_) +
                             " section starting here has no ENDSEC (the file may be cut off)");
        }
        if (t.code == 0 && t.value == "ENDSEC") break;
        if (t.code == 0 && (t.value == "SECTION" || t.value == "EOF")) {
            reader_.fail(
                t.line, std::string(t.value) + " inside the " + std::string(section_) + " section");
        }
        if (section_ == "HEADER") header(t);
        if (!read) continue;
        checkValue(t);
        if (section_ == "TABLES") {
            tables(t);
        } else if (section_ == "BLOCKS") {
            blocks(t);
        } else if (t.code == 0) {
            startEntity(t);
        } else {
            entityValue(t);
        }
    }
    closeStructures(t.line);
    if (read)
        result_.sections.push_back(contents_.substr(start.start, reader_.offset() - start.start));
    inModelSpace_ = false;
}

void Scanner::closeStructures(int line) {
    finishEntity();
    if (sequence_ != Sequence::None) {
        reader_.fail(sequenceOwner_.line,
                     "the " + std::string(sequenceOwner_.type) + " starting here has no SEQEND");
    }
    if (blockOpen_) {
        reader_.fail(result_.blocks.back().line, "the BLOCK starting here has no ENDBLK");
    }
    if (tableOpen_) reader_.fail(line, "a TABLE of this section has no ENDTAB");
}

void Scanner::header(const Tag& t) {
    if (t.code == 9) headerVariable_ = t.value;
    if (t.code == 1 && headerVariable_ == "$ACADVER") result_.utf8 = trim(t.value) >= "AC1021";
    if (t.code == 8 && headerVariable_ == "$CLAYER") result_.currentLayer = t.value;
    if (t.code == 7 && headerVariable_ == "$TEXTSTYLE") result_.currentTextStyle = t.value;
}

// Only the records dxflib reads as table records may stand in TABLES: it would take any other
// name for an entity.
void Scanner::tables(const Tag& t) {
    if (awaitingTableName_) {
        if (t.code != 2) reader_.fail(t.line, "a TABLE without its name");
        awaitingTableName_ = false;
        return;
    }
    if (t.code != 0) return;
    if (t.value == "TABLE") {
        if (tableOpen_) reader_.fail(t.line, "a TABLE inside another TABLE");
        tableOpen_ = awaitingTableName_ = true;
    } else if (t.value == "ENDTAB") {
        if (!tableOpen_) reader_.fail(t.line, "ENDTAB without its TABLE");
        tableOpen_ = false;
    } else if (!tableOpen_ || !contains(kTableRecords, t.value)) {
        reader_.fail(t.line, "\"" + std::string(t.value.substr(0, 40)) +
                                 "\" is not a table record of the TABLES section");
    } else if (t.value == "LAYER") {
        result_.layerLines.push_back(t.line);
    } else if (t.value == "LTYPE") {
        result_.linetypeLines.push_back(t.line);
    } else if (t.value == "STYLE") {
        result_.styleLines.push_back(t.line);
    }
}

void Scanner::blocks(const Tag& t) {
    if (t.code != 0) {
        if (inBlockHeader_ && t.code == 2 && result_.blocks.back().name.empty()) {
            result_.blocks.back().name = std::string(t.value);
        }
        if (!inBlockHeader_) entityValue(t);
        return;
    }
    if (t.value == "BLOCK") {
        finishEntity();
        if (blockOpen_) reader_.fail(t.line, "a BLOCK inside another BLOCK");
        result_.blocks.push_back(Container{"", t.line, {}});
        blockOpen_ = inBlockHeader_ = true;
        return;
    }
    if (blockOpen_ && inBlockHeader_ && result_.blocks.back().name.empty()) {
        reader_.fail(result_.blocks.back().line, "a BLOCK without its name");
    }
    if (t.value == "ENDBLK") {
        if (!blockOpen_) reader_.fail(t.line, "ENDBLK without its BLOCK");
        const int line = result_.blocks.back().line;
        blockOpen_ = false;
        inBlockHeader_ = true;  // the ENDBLK's own groups follow
        closeStructures(line);
        return;
    }
    if (!blockOpen_) {
        reader_.fail(t.line, "the entity " + std::string(t.value.substr(0, 40)) +
                                 " stands outside a block definition");
    }
    inBlockHeader_ = false;
    startEntity(t);
}

Container& Scanner::container() {
    return inModelSpace_ ? result_.modelSpace : result_.blocks.back();
}

void Scanner::startEntity(const Tag& t) {
    finishEntity();
    const std::string_view type = t.value;
    current_ = Current{type, t.line};
    if (type == "SEQEND") {
        if (sequence_ == Sequence::None) reader_.fail(t.line, "SEQEND without POLYLINE or INSERT");
        sequence_ = Sequence::None;
        return;
    }
    if (type == "VERTEX") {
        if (sequence_ != Sequence::Vertices) reader_.fail(t.line, "VERTEX outside a POLYLINE");
        return;
    }
    if (type == "ATTRIB") {
        if (sequence_ != Sequence::Attributes) {
            reader_.fail(t.line, "ATTRIB outside an INSERT with attributes");
        }
        container().marks.back().hiddenAttributes.push_back(false);
        return;
    }
    if (sequence_ != Sequence::None) {
        reader_.fail(sequenceOwner_.line,
                     "the " + std::string(sequenceOwner_.type) + " starting here has no SEQEND");
    }
    if (!contains(kSupported, type)) {
        reader_.fail(t.line, "the entity " + std::string(type.substr(0, 40)) +
                                 " is not supported (PLOVIS reads LINE, CIRCLE, ARC, TEXT, "
                                 "LWPOLYLINE, POLYLINE, INSERT with ATTRIB and ATTDEF)");
    }
    EntityMark mark;
    mark.type = type;
    mark.line = t.line;
    if (type == "ATTDEF") {
        mark.attdef = current_.attdef = static_cast<int>(result_.attdefs.size());
        result_.attdefs.emplace_back();
    }
    container().marks.push_back(std::move(mark));
}

void Scanner::entityValue(const Tag& t) {
    const std::string_view type = current_.type;
    if (type.empty() || type == "SEQEND" || type == "VERTEX") return;
    if (t.code == 67 && type != "ATTRIB" && integer(t) != 0)
        container().marks.back().paperSpace = true;
    if (type == "LWPOLYLINE") {
        if (t.code == 90) {
            if (current_.vertexCount >= 0 || current_.verticesSeen > 0) {
                reader_.fail(
                    t.line, "the vertex count of a LWPOLYLINE must come once, before its vertices");
            }
            current_.vertexCount = integer(t);
            if (current_.vertexCount < 1 || current_.vertexCount > kMostVertices) {
                reader_.fail(t.line, "a LWPOLYLINE of " + std::to_string(current_.vertexCount) +
                                         " vertices");
            }
        } else if (t.code == 10) {
            if (current_.vertexCount < 0)
                reader_.fail(t.line, "a LWPOLYLINE vertex before the vertex count");
            if (++current_.verticesSeen > current_.vertexCount) {
                reader_.fail(t.line, "more LWPOLYLINE vertices than its count says");
            }
        } else if (t.code == 42 && current_.verticesSeen == 0) {
            reader_.fail(t.line, "a LWPOLYLINE bulge before its first vertex");
        }
    } else if (type == "POLYLINE" && t.code == 70 && (integer(t) & (8 | 16 | 64))) {
        reader_.fail(t.line, "3D polylines and polygon meshes are not supported");
    } else if (type == "INSERT" && t.code == 66) {
        current_.attributesFollow = integer(t) != 0;
    } else if (type == "ATTRIB" && t.code == 70) {
        container().marks.back().hiddenAttributes.back() = (integer(t) & 1) != 0;
    } else if (type == "ATTDEF") {
        attdefValue(t, result_.attdefs[current_.attdef]);
    }
}

void Scanner::attdefValue(const Tag& t, AttdefData& a) {
    switch (t.code) {
        case 8:
            a.style.layer = text(t.value);
            break;
        case 6:
            a.style.linetype = text(t.value);
            break;
        case 62:
            a.style.color = static_cast<int>(integer(t));
            break;
        case 1:
            a.value = text(t.value);
            break;
        case 2:
            a.tag = text(t.value);
            break;
        case 3:
            a.prompt = text(t.value);
            break;
        case 7:
            a.textStyle = text(t.value);
            break;
        case 10:
            a.first.x = real(t);
            break;
        case 20:
            a.first.y = real(t);
            break;
        case 11:
            a.second.x = real(t);
            a.hasSecond = true;
            break;
        case 21:
            a.second.y = real(t);
            break;
        case 40:
            a.height = real(t);
            break;
        case 41:
            a.widthFactor = real(t);
            break;
        case 50:
            a.rotationDegrees = real(t);
            break;
        case 70:
            a.flags = static_cast<int>(integer(t));
            break;
        case 72:
            a.horizontal = static_cast<int>(integer(t));
            break;
        case 74:
            a.vertical = static_cast<int>(integer(t));
            break;
        default:
            break;
    }
}

void Scanner::finishEntity() {
    const Current done = current_;
    current_ = Current{};
    if (done.type == "LWPOLYLINE" && done.verticesSeen != done.vertexCount) {
        reader_.fail(done.line, "a LWPOLYLINE declaring " + std::to_string(done.vertexCount) +
                                    " vertices has " + std::to_string(done.verticesSeen));
    }
    if (done.type == "POLYLINE") {
        sequence_ = Sequence::Vertices;
        sequenceOwner_ = done;
    } else if (done.type == "INSERT" && done.attributesFollow) {
        sequence_ = Sequence::Attributes;
        sequenceOwner_ = done;
    }
}

// Numbers in the sections we read must be numbers a drawing can hold: no NaN, no infinity, no
// magnitude beyond the largest coordinate.
void Scanner::checkValue(const Tag& t) const {
    switch (valueTypeOf(t.code)) {
        case ValueType::Real:
            real(t);
            break;
        case ValueType::Integer:
            integer(t);
            break;
        default:
            break;
    }
}

double Scanner::real(const Tag& t) const {
    double value = 0;
    if (!parseNumber(t.value, value) || !std::isfinite(value) ||
        std::fabs(value) > kLargestCoordinate) {
        reader_.fail(t.line, "\"" + std::string(trim(t.value).substr(0, 40)) +
                                 "\" is not a usable number (group " + std::to_string(t.code) +
                                 ")");
    }
    return value;
}

long long Scanner::integer(const Tag& t) const {
    long long value = 0;
    if (!parseNumber(t.value, value) || value < -2147483648LL || value > 4294967295LL) {
        reader_.fail(t.line, "\"" + std::string(trim(t.value).substr(0, 40)) +
                                 "\" is not a whole number (group " + std::to_string(t.code) + ")");
    }
    return value;
}

}  // namespace

ScanResult scanDxf(std::string_view contents, const std::string& source) {
    return Scanner(contents, source).run();
}

}  // namespace plovis::dxf
