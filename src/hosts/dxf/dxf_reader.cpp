// Reading a DXF file into a drawing in one pass over its groups. The reader checks the file's
// structure as it goes (pairs of lines, numbers that are numbers and within reach, sections and
// blocks opened and closed, sequences of vertices and attributes ended, only the entities we
// read) and hands each complete table record, block header and entity to the builder of its
// type (dxf_builders.cpp). A fault of the structure is named at once; a fault the drawing finds
// in an object waits until the whole file is checked, so that the first fault of the structure,
// wherever it is, is the one reported.
#include <algorithm>
#include <optional>
#include <span>
#include <utility>

#include "hosts/dxf/dxf_builders.h"
#include "hosts/dxf/dxf_file.h"
#include "hosts/dxf/dxf_tags.h"
#include "hosts/host_error.h"

namespace plovis {
namespace dxf {
namespace {

constexpr long long kMostVertices = 1'000'000;
constexpr std::string_view kSupported[] = {"LINE",     "CIRCLE", "ARC",    "TEXT",    "LWPOLYLINE",
                                           "POLYLINE", "INSERT", "ATTDEF", "VIEWPORT"};
constexpr std::string_view kTableRecords[] = {"VPORT", "LTYPE", "LAYER",    "STYLE",       "VIEW",
                                              "UCS",   "APPID", "DIMSTYLE", "BLOCK_RECORD"};

bool contains(std::span<const std::string_view> list, std::string_view value) {
    return std::find(list.begin(), list.end(), value) != list.end();
}

class Reader {
  public:
    Reader(std::string_view contents, const std::string& source)
        : contents_(contents), tags_(contents, source), build_(source) {}

    std::unique_ptr<Drawing> run();

  private:
    enum class Kind { None, Record, BlockHeader, Entity };
    enum class Sequence { None, Vertices, Attributes };
    // What the structure checks keep of the entity being read.
    struct Current {
        std::string_view type;
        int line = 0;
        long long vertexCount = -1;  // LWPOLYLINE: the count its 90 declares
        long long verticesSeen = 0;
        bool attributesFollow = false;  // INSERT: 66 = 1
    };

    void section(const Tag& start);
    void header(const Tag& t);
    void objects(const Tag& t);
    void tables(const Tag& t);
    void blocks(const Tag& t);
    void startObject(Kind kind, const Tag& t);
    void startEntity(const Tag& t);
    void entityValue(const Tag& t);
    void finishObject();
    void finishEntity();
    void closeStructures(int line);
    void build(BuildFunction builder, int line);
    [[noreturn]] void noSequenceEnd() const {
        tags_.fail(sequenceOwner_.line,
                   "the " + std::string(sequenceOwner_.type) + " starting here has no SEQEND");
    }

    std::string_view contents_;
    TagReader tags_;
    DrawingBuild build_;
    std::optional<std::string> fault_;  // the first fault the drawing found
    std::string_view section_, headerVariable_;
    bool tableOpen_ = false, awaitingTableName_ = false;
    bool blockOpen_ = false, inBlockHeader_ = false;
    int blockLine_ = 0;
    std::string_view blockName_;
    Sequence sequence_ = Sequence::None;
    Current sequenceOwner_, current_;
    Kind kind_ = Kind::None;
    DxfObject object_;
    bool inLayout_ = false;
    DxfObject layout_;
};

std::unique_ptr<Drawing> Reader::run() {
    if (contents_.starts_with("AutoCAD Binary DXF")) {
        tags_.fail(1, "binary DXF files cannot be read; save the drawing as ASCII DXF");
    }
    if (const std::size_t nul = contents_.find('\0'); nul != std::string_view::npos) {
        const auto line = std::count(contents_.begin(), contents_.begin() + nul, '\n') + 1;
        tags_.fail(static_cast<int>(line), "the file holds a NUL byte: it is not a DXF file");
    }
    Tag t;
    while (tags_.next(t)) {
        if (t.code == 999) continue;
        if (t.code == 0 && t.value == "EOF") {
            if (fault_) throw HostError(*fault_);
            return finishDrawing(build_);
        }
        if (t.code != 0 || t.value != "SECTION") {
            tags_.fail(t.line, "expected a SECTION, found group " + std::to_string(t.code) + " \"" +
                                   std::string(t.value.substr(0, 40)) + "\"");
        }
        section(t);
    }
    tags_.fail(std::max(tags_.line(), 1),
               contents_.empty() ? "the file is empty"
                                 : "the file ends without its EOF marker (it may be cut off)");
}

void Reader::section(const Tag& start) {
    Tag name;
    if (!tags_.next(name) || name.code != 2) tags_.fail(start.line, "a SECTION without its name");
    section_ = name.value;
    const bool read = section_ == "TABLES" || section_ == "BLOCKS" || section_ == "ENTITIES";
    if (section_ == "ENTITIES") enterModelSpace(build_);
    Tag t;
    while (true) {
        if (!tags_.next(t)) {
            tags_.fail(start.line, "the " + std::string(section_) +
                                       " section starting here has no ENDSEC (the file may be "
                                       "cut off)");
        }
        if (t.code == 0 && t.value == "ENDSEC") break;
        if (t.code == 0 && (t.value == "SECTION" || t.value == "EOF")) {
            tags_.fail(t.line,
                       std::string(t.value) + " inside the " + std::string(section_) + " section");
        }
        if (section_ == "HEADER") header(t);
        if (section_ == "OBJECTS") objects(t);
        if (!read) continue;
        tags_.checkValue(t);
        if (t.code == 999) continue;
        if (t.code == 0) {
            finishObject();
        } else {
            object_.groups.push_back(t);
        }
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
    finishObject();
    closeStructures(t.line);
    if (section_ == "OBJECTS") objects(t);
}

// Of the objects only the layouts matter: the sheets the drawing is laid out on.
void Reader::objects(const Tag& t) {
    if (t.code != 0) {
        // Only the name, tab order and block record are read; other values of layouts (extents
        // of 1e20 for "none") are left as they are.
        if (inLayout_ && (t.code == 1 || t.code == 71 || t.code == 100 || t.code == 330)) {
            if (t.code == 71) tags_.integer(t);
            layout_.groups.push_back(t);
        }
        return;
    }
    if (inLayout_ && !fault_) {
        try {
            readLayout(build_, layout_);
        } catch (const HostError& e) {
            fault_ = build_.source + ", line " + std::to_string(layout_.line) + ": " + e.what();
        }
    }
    inLayout_ = t.value == "LAYOUT";
    layout_ = DxfObject{t.value, t.line, {}};
}

void Reader::closeStructures(int line) {
    if (sequence_ != Sequence::None) noSequenceEnd();
    if (blockOpen_) tags_.fail(blockLine_, "the BLOCK starting here has no ENDBLK");
    if (tableOpen_) tags_.fail(line, "a TABLE of this section has no ENDTAB");
}

void Reader::header(const Tag& t) {
    if (t.code == 9) headerVariable_ = t.value;
    headerValue(build_, headerVariable_, t);
}

// Only the records CAD programs know may stand in TABLES.
void Reader::tables(const Tag& t) {
    if (awaitingTableName_) {
        if (t.code != 2) tags_.fail(t.line, "a TABLE without its name");
        awaitingTableName_ = false;
        return;
    }
    if (t.code != 0) return;
    if (t.value == "TABLE") {
        if (tableOpen_) tags_.fail(t.line, "a TABLE inside another TABLE");
        tableOpen_ = awaitingTableName_ = true;
    } else if (t.value == "ENDTAB") {
        if (!tableOpen_) tags_.fail(t.line, "ENDTAB without its TABLE");
        tableOpen_ = false;
    } else if (!tableOpen_ || !contains(kTableRecords, t.value)) {
        tags_.fail(t.line, "\"" + std::string(t.value.substr(0, 40)) +
                               "\" is not a table record of the TABLES section");
    } else {
        startObject(Kind::Record, t);
    }
}

void Reader::blocks(const Tag& t) {
    if (t.code != 0) {
        if (inBlockHeader_ && t.code == 2 && blockName_.empty()) blockName_ = t.value;
        if (!inBlockHeader_) entityValue(t);
        return;
    }
    if (t.value == "BLOCK") {
        if (blockOpen_) tags_.fail(t.line, "a BLOCK inside another BLOCK");
        blockOpen_ = inBlockHeader_ = true;
        blockLine_ = t.line;
        blockName_ = {};
        startObject(Kind::BlockHeader, t);
        return;
    }
    if (blockOpen_ && inBlockHeader_ && blockName_.empty()) {
        tags_.fail(blockLine_, "a BLOCK without its name");
    }
    if (t.value == "ENDBLK") {
        if (!blockOpen_) tags_.fail(t.line, "ENDBLK without its BLOCK");
        blockOpen_ = false;
        inBlockHeader_ = true;  // the ENDBLK's own groups follow
        closeStructures(blockLine_);
        return;
    }
    if (!blockOpen_) {
        tags_.fail(t.line, "the entity " + std::string(t.value.substr(0, 40)) +
                               " stands outside a block definition");
    }
    inBlockHeader_ = false;
    startEntity(t);
}

void Reader::startObject(Kind kind, const Tag& t) {
    kind_ = kind;
    object_.type = t.value;
    object_.line = t.line;
}

void Reader::startEntity(const Tag& t) {
    const std::string_view type = t.value;
    current_ = Current{type, t.line};
    startObject(Kind::Entity, t);
    if (type == "SEQEND") {
        if (sequence_ == Sequence::None) tags_.fail(t.line, "SEQEND without POLYLINE or INSERT");
        sequence_ = Sequence::None;
        return;
    }
    if (type == "VERTEX") {
        if (sequence_ != Sequence::Vertices) tags_.fail(t.line, "VERTEX outside a POLYLINE");
        return;
    }
    if (type == "ATTRIB") {
        if (sequence_ != Sequence::Attributes) {
            tags_.fail(t.line, "ATTRIB outside an INSERT with attributes");
        }
        return;
    }
    if (sequence_ != Sequence::None) noSequenceEnd();
    if (!contains(kSupported, type)) {
        tags_.fail(t.line, "the entity " + std::string(type.substr(0, 40)) +
                               " is not supported (PLOVIS reads LINE, CIRCLE, ARC, TEXT, "
                               "LWPOLYLINE, POLYLINE, INSERT with ATTRIB and ATTDEF)");
    }
}

void Reader::entityValue(const Tag& t) {
    Current& c = current_;
    if (c.type == "LWPOLYLINE") {
        if (t.code == 90) {
            if (c.vertexCount >= 0 || c.verticesSeen > 0) {
                tags_.fail(t.line,
                           "the vertex count of a LWPOLYLINE must come once, before its vertices");
            }
            c.vertexCount = tags_.integer(t);
            if (c.vertexCount < 1 || c.vertexCount > kMostVertices) {
                tags_.fail(t.line,
                           "a LWPOLYLINE of " + std::to_string(c.vertexCount) + " vertices");
            }
        } else if (t.code == 10) {
            if (c.vertexCount < 0)
                tags_.fail(t.line, "a LWPOLYLINE vertex before the vertex count");
            if (++c.verticesSeen > c.vertexCount) {
                tags_.fail(t.line, "more LWPOLYLINE vertices than its count says");
            }
        } else if (t.code == 42 && c.verticesSeen == 0) {
            tags_.fail(t.line, "a LWPOLYLINE bulge before its first vertex");
        }
    } else if (c.type == "POLYLINE" && t.code == 70 && (tags_.integer(t) & (8 | 16 | 64))) {
        tags_.fail(t.line, "3D polylines and polygon meshes are not supported");
    } else if (c.type == "INSERT" && t.code == 66) {
        c.attributesFollow = tags_.integer(t) != 0;
    }
}

// An object is complete at the next group 0.
void Reader::finishObject() {
    const Kind kind = std::exchange(kind_, Kind::None);
    if (kind == Kind::Record) build(recordBuilder(object_.type), object_.line);
    if (kind == Kind::BlockHeader) build(beginBlock, object_.line);
    if (kind == Kind::Entity) finishEntity();
    object_.groups.clear();
}

void Reader::finishEntity() {
    const Current done = std::exchange(current_, Current{});
    if (done.type == "LWPOLYLINE" && done.verticesSeen != done.vertexCount) {
        tags_.fail(done.line, "a LWPOLYLINE declaring " + std::to_string(done.vertexCount) +
                                  " vertices has " + std::to_string(done.verticesSeen));
    }
    // Attributes and vertices answer for their faults on the line of their INSERT or POLYLINE.
    const bool ofSequence = done.type == "ATTRIB" || done.type == "VERTEX" || done.type == "SEQEND";
    build(entityBuilder(done.type), ofSequence ? sequenceOwner_.line : done.line);
    if (done.type == "POLYLINE") {
        sequence_ = Sequence::Vertices;
        sequenceOwner_ = done;
    } else if (done.type == "INSERT" && done.attributesFollow) {
        sequence_ = Sequence::Attributes;
        sequenceOwner_ = done;
    }
}

void Reader::build(BuildFunction builder, int line) {
    if (!builder || fault_) return;
    try {
        builder(build_, object_);
    } catch (const LocatedError& e) {
        fault_ = e.what();
    } catch (const HostError& e) {
        fault_ = build_.source + ", line " + std::to_string(line) + ": " + e.what();
    }
}

}  // namespace
}  // namespace dxf

std::unique_ptr<Drawing> readDxf(std::string_view contents, const std::string& source) {
    return dxf::Reader(contents, source).run();
}

}  // namespace plovis
